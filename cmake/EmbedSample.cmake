# Writes a header holding the sample order files as string literals.
file(READ ${LOOKUPS} lookups)
file(READ ${LINES} lines)
file(WRITE ${OUTPUT} "#pragma once\n// Generated from examples/sample-order at build time.\n"
  "inline constexpr const char* kEmbeddedLookups = R\"zelt(${lookups})zelt\";\n"
  "inline constexpr const char* kEmbeddedLines = R\"zelt(${lines})zelt\";\n")
