-- The language server of the scenario descriptions in Neovim (0.7 and
-- later): put this file in ~/.config/nvim/plugin/ (or require it from
-- init.lua). It reads the descriptions as Windows-1252 and starts
-- `scenario lsp` (from PATH, or the program in vim.g.scenario_lsp) for
-- each one, one server per folder.
local descrizioni = { "*_linea.txt", "*-.txt" }
local programma = vim.g.scenario_lsp or "scenario"
local server = {}

vim.api.nvim_create_autocmd("BufReadPre", {
  pattern = descrizioni,
  callback = function()
    vim.o.fileencodings = "cp1252"
  end,
})

vim.api.nvim_create_autocmd("BufReadPost", {
  pattern = descrizioni,
  callback = function(ev)
    local cartella = vim.fn.fnamemodify(ev.file, ":p:h")
    if not server[cartella] then
      server[cartella] = vim.lsp.start_client({ name = "scenario", cmd = { programma, "lsp" }, root_dir = cartella })
    end
    vim.lsp.buf_attach_client(ev.buf, server[cartella])
  end,
})
