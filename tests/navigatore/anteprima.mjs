// The preview page in a real headless Chromium (Debian's), driven by
// playwright-core: the seven stations; a station renamed on disk shows up
// without a reload, keeping the scroll; a broken entry shows its
// diagnostic and the last good picture, marked as superseded; choosing a
// diagnostic marks its metre; pointing at the profile fills the
// inspector; mending clears the diagnostics; Ctrl+C ends the server.
//
//   node anteprima.mjs SCENARIO CARTELLA_DI_LAVORO
//
// Screenshots go to CARTELLA_DI_LAVORO. With --banco N it only measures,
// N times, the time from a save to the new picture on the page, for the
// shipped scenario and, with --massimo CARTELLA, for the maximum one
// (bench/genera_massimo): side by side in one run, the preview waiting on
// the system's notifications and the same preview polling (--sondaggio).
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawn, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import readline from "node:readline";
import { chromium } from "playwright-core";

const [scenario, lavoro] = process.argv.slice(2, 4);
const banco = process.argv.includes("--banco") ? Number(process.argv[process.argv.indexOf("--banco") + 1]) : 0;
const massimo = process.argv.includes("--massimo") ? process.argv[process.argv.indexOf("--massimo") + 1] : null;
fs.mkdirSync(lavoro, { recursive: true });

const TRENO = "Corvana_Selvadoro_R 47315-.txt";
const STAZIONI = ["CORVANA", "CAGIONI", "PALAGIANO-CHIATONA", "BOSCO PINETO", "CASTELLANETA MARINA", "GINOSA", "SELVADORO"];

// Latin-1 covers every letter these tests write; the files are Windows-1252.
const leggi = (f) => fs.readFileSync(f, "latin1");
// Saved as editors save: a new file, then renamed over the old one.
function salva(f, testo) {
  fs.writeFileSync(f + ".tmp", testo, "latin1");
  fs.renameSync(f + ".tmp", f);
}

async function avvia(cartella, opzioni = []) {
  const server = spawn(scenario, ["anteprima", ...opzioni, cartella], { stdio: ["ignore", "pipe", "inherit"] });
  const righe = readline.createInterface({ input: server.stdout });
  const indirizzo = await new Promise((ok, ko) => {
    righe.once("line", ok);
    server.once("exit", (c) => ko(new Error("anteprima uscita con " + c)));
  });
  const fine = new Promise((ok) => server.once("exit", (codice) => ok(codice)));
  return { server, indirizzo, fine };
}

async function navigatore() {
  const profilo = fs.mkdtempSync(path.join(os.tmpdir(), "profilo-chromium-"));
  const contesto = await chromium.launchPersistentContext(profilo, {
    executablePath: "/usr/bin/chromium",
    headless: true,
    viewport: { width: 1440, height: 760 },
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync"],
  });
  return { contesto, profilo };
}

const testoDisegno = (page) => page.evaluate(() => {
  const s = document.querySelector("#disegno svg");
  return s ? s.textContent : "";
});

// Waits for a condition on the page; the time it took, in milliseconds.
async function attendi(page, funzione, argomento) {
  const inizio = performance.now();
  await page.waitForFunction(funzione, argomento, { timeout: 15000, polling: "raf" });
  return performance.now() - inizio;
}

function cartellaScenario() {
  const radice = fs.mkdtempSync(path.join(lavoro, "prova-"));
  const cartella = path.join(radice, "mio scenario è");
  const e = spawnSync(scenario, ["estrai", cartella]);
  assert.equal(e.status, 0, String(e.stderr));
  return cartella;
}

// The time from a save (a station renamed) to the page showing the new
// picture, `volte` times; the median, the 95th percentile, the least and
// the most. Returns the median.
async function misura(cartella, file, nome, volte, etichetta, opzioni = []) {
  const { server, indirizzo, fine } = await avvia(cartella, opzioni);
  const { contesto, profilo } = await navigatore();
  const page = contesto.pages()[0] || (await contesto.newPage());
  await page.goto(indirizzo);
  await attendi(page, () => !!document.querySelector("#disegno svg"));
  const originale = leggi(file);
  const tempi = [];
  for (let i = 1; i <= volte; i++) {
    const nuovo = nome + " " + i;
    const inizio = performance.now();
    salva(file, originale.replace(nome, nuovo));
    await page.waitForFunction((n) => document.querySelector("#disegno svg")?.textContent.includes(n), nuovo,
                               { timeout: 60000, polling: "raf" });
    tempi.push(performance.now() - inizio);
  }
  salva(file, originale);
  tempi.sort((a, b) => a - b);
  const mediana = tempi[Math.floor(tempi.length / 2)];
  const p95 = tempi[Math.min(tempi.length - 1, Math.ceil(tempi.length * 0.95) - 1)];
  console.log(`${etichetta}: dal salvataggio alla pagina, mediana ${mediana.toFixed(1)} ms, ` +
              `95° percentile ${p95.toFixed(1)} ms, minimo ${tempi[0].toFixed(1)} ms, ` +
              `massimo ${tempi[tempi.length - 1].toFixed(1)} ms su ${volte}`);
  await contesto.close();
  fs.rmSync(profilo, { recursive: true, force: true });
  server.kill("SIGINT");
  await fine;
  return mediana;
}

// Both ways of following the folder, one after the other, and the ratio of
// their medians.
async function confronta(cartella, file, nome, volte, etichetta) {
  const sondaggio = await misura(cartella, file, nome, volte, `${etichetta}, a sondaggio`, ["--sondaggio"]);
  const avvisi = await misura(cartella, file, nome, volte, `${etichetta}, con gli avvisi del sistema`);
  console.log(`${etichetta}: mediana con gli avvisi / a sondaggio = ${(avvisi / sondaggio).toFixed(2)}`);
}

if (banco > 0) {
  const spedito = cartellaScenario();
  await confronta(spedito, path.join(spedito, TRENO), "GINOSA", banco, "scenario spedito");
  if (massimo)
    await confronta(massimo, path.join(massimo, "Massimo_M 1-.txt"), "STAZIONE 1", Math.max(3, Math.floor(banco / 4)),
                    "scenario massimo");
} else {
  test("la pagina segue le descrizioni senza ricaricarsi", async () => {
    const cartella = cartellaScenario();
    const file = path.join(cartella, TRENO);
    const originale = leggi(file);
    const { server, indirizzo, fine } = await avvia(cartella);
    assert.match(indirizzo, /^http:\/\/127\.0\.0\.1:\d+\/$/);
    const { contesto, profilo } = await navigatore();
    try {
      const page = contesto.pages()[0] || (await contesto.newPage());
      const richiesteAltrove = [];
      const erroriPagina = [];
      page.on("pageerror", (e) => erroriPagina.push(String(e)));
      page.on("console", (m) => { if (m.type() === "error") erroriPagina.push(m.text()); });
      page.on("request", (r) => { if (!r.url().startsWith(indirizzo)) richiesteAltrove.push(r.url()); });
      await page.goto(indirizzo);
      await attendi(page, (nomi) => {
        const s = document.querySelector("#disegno svg");
        return s && nomi.every((n) => s.textContent.includes(n));
      }, STAZIONI);
      assert.equal(await page.locator("#stato").textContent(), "aggiornata");
      assert.match(await page.locator("#conteggio").textContent(), /Nessun errore/);
      // The running diagram under the drawing: its two panels and the stations.
      await attendi(page, (nomi) => {
        const s = document.querySelector("#marcia svg");
        return s && s.textContent.includes("Velocità (km/h)") && s.textContent.includes("Tempo dalla partenza") &&
               nomi.every((n) => s.textContent.includes(n));
      }, STAZIONI);
      await page.screenshot({ path: path.join(lavoro, "anteprima-1-aperta.png"), fullPage: true });

      // A mark that a reload would wipe, and a scroll position to keep.
      await page.evaluate(() => { window.marcaDellaProva = 1; window.scrollTo(0, 200); });
      const scorrimento = await page.evaluate(() => window.scrollY);
      assert.ok(scorrimento > 0);

      salva(file, originale.replace("GINOSA", "GINOSA CENTRALE"));
      const ms = await attendi(page, () => document.querySelector("#disegno svg")?.textContent.includes("GINOSA CENTRALE"));
      console.log(`stazione rinominata sulla pagina dopo ${ms.toFixed(0)} ms`);
      await attendi(page, () => document.querySelector("#marcia svg")?.textContent.includes("GINOSA CENTRALE"));
      assert.equal(await page.evaluate(() => window.marcaDellaProva), 1, "la pagina si è ricaricata");
      assert.equal(await page.evaluate(() => window.scrollY), scorrimento);

      // A broken entry: its diagnostic, with the last good picture kept.
      const rotto = originale.replace("GINOSA", "GINOSA CENTRALE").replace("segnale,   16500,", "segnale,   15500,");
      salva(file, rotto);
      await attendi(page, () => document.querySelector("#diagnostiche li.errore") !== null);
      assert.equal(await page.locator("#stato").textContent(), "superata: descrizioni con errori");
      assert.ok((await testoDisegno(page)).includes("GINOSA CENTRALE"));
      assert.ok(await page.locator("#avviso-superata").isVisible());
      const diagnostica = page.locator("#diagnostiche li.errore").first();
      const testo = await diagnostica.textContent();
      assert.match(testo, /R 47315-\.txt, riga \d+, colonna \d+/);
      assert.match(testo, /metro 15500/);
      assert.match(testo, /segnale, {3}15500, {3}2/);
      assert.equal(await page.evaluate(() => window.marcaDellaProva), 1);

      // Chosen, it marks its metre on the profile.
      await diagnostica.click();
      const segno = await page.evaluate(() => {
        const l = document.querySelector("#segno-diagnostica");
        return l ? Number(l.getAttribute("x1")) : null;
      });
      assert.ok(segno !== null, "nessun segno sul profilo");
      await page.screenshot({ path: path.join(lavoro, "anteprima-2-errore.png"), fullPage: true });

      // Pointing at the profile there fills the inspector: the mark stands
      // on the signal's cell.
      const punto = await page.evaluate((x) => {
        const svg = document.querySelector("#disegno svg");
        const l = document.querySelector("#segno-diagnostica");
        const y = (Number(l.getAttribute("y1")) + Number(l.getAttribute("y2"))) / 2;
        const p = new DOMPoint(x, y).matrixTransform(svg.getScreenCTM());
        return { x: p.x, y: p.y };
      }, segno);
      await page.mouse.move(punto.x, punto.y);
      await attendi(page, () => document.querySelector("#ispettore").textContent.includes("Cella 311"));
      const ispettore = await page.locator("#ispettore").textContent();
      assert.match(ispettore, /metro 15500/);
      assert.match(ispettore, /tipo\s+1 \(segnale/);
      assert.match(ispettore, /Messa qui dalla voce: Corvana_Selvadoro_R 47315-\.txt, riga 25, colonna 1/);
      // In the author's units, the file's fields folded away.
      assert.match(ispettore, /oggetto: segnale/);
      assert.match(ispettore, /velocità massima: 140 km\/h/);
      assert.equal(await page.locator("#ispettore details").getAttribute("open"), null);
      await page.screenshot({ path: path.join(lavoro, "anteprima-3-ispettore.png"), fullPage: false });

      // Mended: no diagnostic, the picture current again.
      salva(file, originale);
      await attendi(page, () => document.querySelector("#stato").textContent === "aggiornata" &&
                                !document.querySelector("#diagnostiche li"));
      assert.ok(!(await testoDisegno(page)).includes("GINOSA CENTRALE"));
      assert.match(await page.locator("#conteggio").textContent(), /Nessun errore/);
      // The mended error's mark is gone with it.
      assert.equal(await page.locator("#segno-diagnostica").count(), 0);
      assert.deepEqual(richiesteAltrove, []);
      assert.deepEqual(erroriPagina, []);

      // The preview closed: the page no longer says it is current.
      server.kill("SIGINT");
      await attendi(page, () => document.querySelector("#stato").textContent === "non aggiornata");
      assert.match(await page.locator("#collegamento").textContent(), /scollegata/);
      await page.screenshot({ path: path.join(lavoro, "anteprima-4-scollegata.png"), fullPage: false });
    } finally {
      await contesto.close();
      fs.rmSync(profilo, { recursive: true, force: true });
      server.kill("SIGINT");
    }
    assert.equal(await fine, 0);
  });
}
