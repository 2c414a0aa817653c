// A scripted exchange with `scenario lsp` through vscode-jsonrpc, on the
// shipped scenario and on a broken copy of it, each in a folder whose
// name has a space and an accent. Prints one line per feature and exits
// with 1 when any of them is not as it should be.
//   node client.mjs COMANDO... -- CARTELLA_DI_LAVORO
import { spawn, spawnSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { pathToFileURL } from "node:url";
import rpc from "vscode-jsonrpc/node";

const separatore = process.argv.indexOf("--");
const comando = process.argv.slice(2, separatore);
const lavoro = process.argv[separatore + 1];
const linea = "Corvana_Selvadoro_linea.txt";
const treno = "Corvana_Selvadoro_R 47315-.txt";

let falliti = 0;
const riga = (esito, caso, cosa, dettaglio) => {
  if (!esito) falliti++;
  console.log(`${esito ? "ok  " : "NO  "} ${caso.padEnd(9)} ${cosa.padEnd(26)} ${dettaglio}`);
};

// The scenario's texts written by the tool itself, then broken by hand.
function prepara(nome, rompi) {
  const cartella = path.join(lavoro, nome);
  fs.rmSync(cartella, { recursive: true, force: true });
  fs.mkdirSync(cartella, { recursive: true });
  const r = spawnSync(comando[0], [...comando.slice(1, -1), "estrai", cartella], { encoding: "utf8" });
  if (r.status !== 0) throw new Error(`estrai: ${r.stderr}`);
  const file = path.join(cartella, treno);
  const testo = fs.readFileSync(file, "latin1");
  if (rompi) fs.writeFileSync(file, rompi(testo), "latin1");
  return cartella;
}

async function sessione(caso, cartella, rotto) {
  const figlio = spawn(comando[0], comando.slice(1), { stdio: ["pipe", "pipe", "inherit"] });
  const connessione = rpc.createMessageConnection(
    new rpc.StreamMessageReader(figlio.stdout),
    new rpc.StreamMessageWriter(figlio.stdin),
  );
  const diagnostiche = new Map();
  let attese = [];
  connessione.onNotification("textDocument/publishDiagnostics", (p) => {
    diagnostiche.set(p.uri, p.diagnostics);
    attese.forEach((a) => a());
    attese = [];
  });
  connessione.listen();
  const uri = (nome) => pathToFileURL(path.join(cartella, nome)).href;
  const uriTreno = uri(treno);
  // The shipped texts hold no byte that Windows-1252 and Latin-1 read apart.
  const testoTreno = fs.readFileSync(path.join(cartella, treno), "latin1");
  const righe = testoTreno.split("\r\n");

  const init = await connessione.sendRequest("initialize", {
    processId: process.pid,
    rootUri: pathToFileURL(cartella).href,
    capabilities: { general: { positionEncodings: ["utf-16"] } },
  });
  connessione.sendNotification("initialized", {});
  const cap = init.capabilities;
  riga(cap.positionEncoding === "utf-16" && cap.hoverProvider, caso, "initialize", `codifica ${cap.positionEncoding}`);

  const pubblicate = Promise.resolve();
  connessione.sendNotification("textDocument/didOpen", {
    textDocument: { uri: uriTreno, languageId: "scenario-treno", version: 1, text: testoTreno },
  });
  await pubblicate;
  while (!diagnostiche.has(uri(linea)) || !diagnostiche.has(uriTreno)) await new Promise((fatto) => attese.push(fatto));
  const dTreno = diagnostiche.get(uriTreno);
  const errori = dTreno.filter((d) => d.severity === 1);
  if (rotto)
    riga(errori.length > 0 && dTreno.some((d) => d.code === "V201") && dTreno.every((d) => d.source === "scenario" && /^V\d+/.test(d.code)),
      caso, "diagnostiche", `${dTreno.length} sul treno (${dTreno.map((d) => d.code).join(", ")}), ${diagnostiche.get(uri(linea)).length} sulla linea`);
  else riga(errori.length === 0, caso, "diagnostiche", `${dTreno.length} sul treno, ${diagnostiche.get(uri(linea)).length} sulla linea`);

  const n = righe.findIndex((r) => r.includes("PALAGIANO-CHIATONA"));
  const hover = await connessione.sendRequest("textDocument/hover", {
    textDocument: { uri: uriTreno }, position: { line: n, character: righe[n].indexOf("400") },
  });
  const valoreHover = hover?.contents?.value ?? "";
  riga(valoreHover.includes("lunghezza del marciapiede"), caso, "hover", JSON.stringify(valoreHover.split("\n")[0]));

  const modifiche = await connessione.sendRequest("textDocument/formatting", {
    textDocument: { uri: uriTreno }, options: { tabSize: 2, insertSpaces: true },
  });
  riga(Array.isArray(modifiche), caso, "formattazione", `${modifiche.length} righe allineate`);

  const simboli = await connessione.sendRequest("textDocument/documentSymbol", { textDocument: { uri: uriTreno } });
  const stazioni = simboli.find((s) => s.name === "[stazioni]")?.children ?? [];
  riga(stazioni.some((s) => s.name === "PALAGIANO-CHIATONA"), caso, "simboli", `${simboli.length} sezioni, ${stazioni.length} stazioni`);

  const pieghe = await connessione.sendRequest("textDocument/foldingRange", { textDocument: { uri: uriTreno } });
  riga(pieghe.length > 0, caso, "pieghe", `${pieghe.length}`);

  const gettoni = await connessione.sendRequest("textDocument/semanticTokens/full", { textDocument: { uri: uriTreno } });
  riga(gettoni.data.length > 0 && gettoni.data.length % 5 === 0, caso, "gettoni semantici", `${gettoni.data.length / 5}`);
  // The station's line alone: as many tokens as the whole document has on it.
  let rigaGettone = 0;
  let sullaRiga = 0;
  for (let i = 0; i < gettoni.data.length; i += 5) {
    rigaGettone += gettoni.data[i];
    if (rigaGettone === n) sullaRiga += 1;
  }
  const parziali = await connessione.sendRequest("textDocument/semanticTokens/range", {
    textDocument: { uri: uriTreno }, range: { start: { line: n, character: 0 }, end: { line: n + 1, character: 0 } },
  });
  riga(sullaRiga > 0 && parziali.data.length === sullaRiga * 5 && parziali.data[0] === n, caso,
    "gettoni di un intervallo", `${parziali.data.length / 5} sulla riga ${n + 1}`);

  const suggerimenti = await connessione.sendRequest("textDocument/inlayHint", {
    textDocument: { uri: uriTreno }, range: { start: { line: n, character: 0 }, end: { line: n + 1, character: 0 } },
  });
  const etichette = suggerimenti.map((h) => h.label);
  riga(etichette[0]?.startsWith("km 17+0") && etichette.some((e) => e.startsWith("12:25:00")), caso, "suggerimenti in linea", etichette.join(" | "));

  const completamenti = await connessione.sendRequest("textDocument/completion", {
    textDocument: { uri: uriTreno }, position: { line: righe.length - 1, character: 0 },
  });
  const stazione = completamenti.find((c) => c.label === "stazione");
  riga(stazione?.insertText?.startsWith("stazione, ${1:posizione}"), caso, "completamento", `${completamenti.length} voci`);

  const firma = await connessione.sendRequest("textDocument/signatureHelp", {
    textDocument: { uri: uriTreno }, position: { line: n, character: righe[n].indexOf("400") + 1 },
  });
  const parametro = firma?.signatures?.[0]?.parameters?.[firma.activeParameter]?.label;
  const nomeParametro = parametro ? firma.signatures[0].label.slice(parametro[0], parametro[1]) : "";
  riga(nomeParametro === "lunghezza del marciapiede", caso, "firma", nomeParametro);

  if (rotto) {
    const correggibili = dTreno.filter((d) => d.code === "V201");
    const azioni = await connessione.sendRequest("textDocument/codeAction", {
      textDocument: { uri: uriTreno }, range: correggibili[0].range, context: { diagnostics: correggibili },
    });
    const modifica = azioni[0]?.edit?.changes?.[uriTreno]?.[0];
    let corretto = righe.slice();
    if (modifica) {
      const r = modifica.range;
      const l = corretto[r.start.line];
      corretto[r.start.line] = l.slice(0, r.start.character) + modifica.newText + l.slice(r.end.character);
    }
    diagnostiche.delete(uriTreno);
    connessione.sendNotification("textDocument/didChange", {
      textDocument: { uri: uriTreno, version: 2 }, contentChanges: [{ text: corretto.join("\r\n") }],
    });
    while (!diagnostiche.has(uriTreno)) await new Promise((fatto) => attese.push(fatto));
    const dopo = diagnostiche.get(uriTreno).filter((d) => d.code === "V201");
    riga(modifica && dopo.length === 0, caso, "correzione rapida", `${azioni[0]?.title ?? "nessuna"}; V201 dopo: ${dopo.length}`);
  }

  await connessione.sendRequest("shutdown");
  const uscita = new Promise((fatto) => figlio.on("exit", (codice) => fatto(codice)));
  connessione.sendNotification("exit");
  const codice = await uscita;
  riga(codice === 0, caso, "shutdown ed exit", `uscita ${codice}`);
  connessione.dispose();
}

await sessione("spedito", prepara("spedito è", null), false);
// A letter O in a metre (a warning with its fix) and a station off the
// 50 m step (an error).
const rompi = (t) => t.replace("velocita,   38000,", "velocita,   38OOO,").replace("stazione,   17000,", "stazione,   17010,");
await sessione("rotto", prepara("rotto è", rompi), true);
console.log(falliti === 0 ? "client LSP: tutto come atteso" : `client LSP: ${falliti} controlli falliti`);
process.exit(falliti === 0 ? 0 : 1);
