# Writes a header holding the sample order files as string literals.
set(content "#pragma once\n// Generated from examples/sample-order at build time.\n")
foreach(name lookups lines fees salestax brackets)
  file(READ ${SAMPLE_DIR}/${name}.txt text)
  string(APPEND content "inline constexpr const char* kEmbedded_${name} = R\"zelt(${text})zelt\";\n")
endforeach()
file(WRITE ${OUTPUT} "${content}")
