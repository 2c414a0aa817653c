-- Run by prova_neovim.sh after editor/neovim/scenario.lua: opens the
-- description named by $FILE, waits for the server's diagnostics, asks a
-- hover at $RIGA:$COLONNA, writes both to $USCITA and quits.
vim.cmd("edit " .. vim.fn.fnameescape(vim.env.FILE))
local arrivate = vim.wait(20000, function() return #vim.diagnostic.get(0) > 0 end, 50)
local righe = { "diagnostiche arrivate: " .. tostring(arrivate) }
for _, d in ipairs(vim.diagnostic.get(0)) do
  local codice = d.code or (d.user_data and d.user_data.lsp and d.user_data.lsp.code) or "?"
  table.insert(righe, string.format("%d:%d %s %s", d.lnum + 1, d.col + 1, codice, d.message))
end
local posizione = { line = tonumber(vim.env.RIGA), character = tonumber(vim.env.COLONNA) }
local risposte = vim.lsp.buf_request_sync(0, "textDocument/hover",
  { textDocument = vim.lsp.util.make_text_document_params(0), position = posizione }, 10000) or {}
for _, r in pairs(risposte) do
  if r.result and r.result.contents then
    for riga in string.gmatch(r.result.contents.value, "[^\n]+") do table.insert(righe, "hover: " .. riga) end
  end
end
vim.fn.writefile(righe, vim.env.USCITA)
vim.cmd("qa!")
