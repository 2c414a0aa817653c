#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace gara {

// The five text files the package carries, each written whole into the
// folder given, under the name built from the scenario's identity.
void dati_linea(const std::filesystem::path& cartella, const std::string& nome_percorso);
void dati_treno(const std::filesystem::path& cartella, const std::string& nome_percorso,
                const std::string& nome_treno);
void dati_note(const std::filesystem::path& cartella, const std::string& nome_percorso,
               const std::string& nome_treno);
void dati_rallentamenti(const std::filesystem::path& cartella, const std::string& nome_percorso,
                        const std::string& nome_treno);
void dati_scheda(const std::filesystem::path& cartella, const std::string& nome_percorso,
                 const std::string& nome_treno);

// Their lines, in file order (UTF-8).
std::span<const std::string_view> righe_linea();
std::span<const std::string_view> righe_treno();
std::span<const std::string_view> righe_note();
std::span<const std::string_view> righe_rallentamenti();
std::span<const std::string_view> righe_scheda();

}  // namespace gara
