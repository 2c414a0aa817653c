# Writes the C++ source A that defines the bytes of the file DA as the
# array gara::NOME, and its length as gara::BYTE, declared in the header
# INTESTAZIONE. Run with cmake -P at build time, whenever DA changes.
file(READ "${DA}" esadecimale HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," byte "${esadecimale}")
# A line every 32 bytes keeps the source readable by the usual tools.
string(REGEX REPLACE "((0x..,){32})" "\\1\n" byte "${byte}")
file(WRITE "${A}.nuovo"
  "// Generated from ${DA} by cmake/incorpora_file.cmake: do not edit.\n"
  "#include \"${INTESTAZIONE}\"\n\n"
  "namespace gara {\n\n"
  "extern const unsigned char ${NOME}[] = {\n${byte}};\n"
  "extern const std::size_t ${BYTE} = sizeof ${NOME};\n\n"
  "}  // namespace gara\n")
file(RENAME "${A}.nuovo" "${A}")
