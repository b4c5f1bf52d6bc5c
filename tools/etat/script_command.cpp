// etat script FILE
//
// Compiles and runs a script (UTF-8 text, one source line per line), then prints the compile
// errors and each global variable as NAME=kind text, in the variables' sorted order.
#include <cstdio>
#include <string>
#include <vector>

#include "report/core/base/split_lines.h"
#include "report/core/base/text.h"
#include "report/core/base/whole_file.h"
#include "report/core/engine/engine.h"
#include "tools/etat/command.h"

namespace etat {
namespace {

std::vector<std::string> SourceLines(const std::string& path) {
    std::string bytes = report::ReadWholeFile(path);
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    // UTF-8 as the command line speaks; other bytes are taken as Windows-1252 already.
    return report::SplitLines(report::IsValidUtf8(bytes) ? report::Utf8ToCp1252(bytes) : bytes);
}

int Script(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fputs("usage : etat script FICHIER\n", stderr);
        return 1;
    }
    const std::vector<std::string> source = SourceLines(args[0]);
    report::Engine engine(nullptr);  // the virtual printer: etat prints nothing
    std::vector<std::string> compiled;
    std::vector<std::string> errors;
    engine.Interpreter().CompileScript(source, compiled, errors);
    for (const std::string& error : errors) {
        std::printf("%s\n", report::Cp1252ToUtf8(error).c_str());
    }
    engine.Interpreter().RunScript(compiled);
    const report::Variables& globals = engine.GlobalVariables();
    for (int i = 0; i < globals.Count(); ++i) {
        const report::Variant& value = globals.ValueAt(i);
        const std::string text = value.IsNull() ? std::string() : value.ToText();
        std::printf("%s=%s %s\n", report::Cp1252ToUtf8(globals.NameAt(i)).c_str(),
                    std::string(report::KindName(value.Kind())).c_str(),
                    report::Cp1252ToUtf8(text).c_str());
    }
    return 0;
}

const EtatCommand kScript("script", "script FILE", Script);

}  // namespace
}  // namespace etat
