// The client of `scenario lsp` for the two description languages, and the
// command that opens the live preview of the folder of the file in front.
const path = require("node:path");
const vscode = require("vscode");
const { LanguageClient } = require("vscode-languageclient/node");

let client;

function programma() {
  return vscode.workspace.getConfiguration("scenario").get("programma") || "scenario";
}

function activate(context) {
  client = new LanguageClient(
    "scenario",
    "Scenari",
    { command: programma(), args: ["lsp"] },
    {
      documentSelector: [
        { scheme: "file", language: "scenario-linea" },
        { scheme: "file", language: "scenario-treno" },
      ],
    },
  );
  context.subscriptions.push(
    vscode.commands.registerCommand("scenario.anteprima", () => {
      const documento = vscode.window.activeTextEditor?.document;
      if (!documento || documento.uri.scheme !== "file") {
        vscode.window.showErrorMessage("Apri prima una descrizione dello scenario.");
        return;
      }
      const terminale = vscode.window.createTerminal({ name: "Anteprima dello scenario", shellPath: programma(),
        shellArgs: ["anteprima", "--apri", path.dirname(documento.uri.fsPath)] });
      terminale.show();
    }),
  );
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
