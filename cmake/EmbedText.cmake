# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P EmbedText.cmake
# Writes a C++ source that holds the file's bytes in a function `std::string_view SYMBOL()`.
file(READ ${INPUT} content)
set(delimiter "TBG_EMBED")
file(WRITE ${OUTPUT}.tmp
"// Generated from ${INPUT}: do not edit.\n#include <string_view>\nstd::string_view ${SYMBOL}() {\n    static constexpr std::string_view text = R\"${delimiter}(${content})${delimiter}\";\n    return text;\n}\n")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
