// etat eval [--var NAME=VALUE]... EXPR
//
// Evaluates an expression with the engine's parser and resolution chain and prints the value's
// kind and text form. Each --var answers a name (without regard to case) with a string value,
// the way a host program answers the report's OnGetValue.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "report/core/base/text.h"
#include "report/core/engine/engine.h"
#include "report/core/language/build_context.h"
#include "tools/etat/command.h"

namespace etat {
namespace {

// The host's answers: the --var pairs.
class CommandLineValues : public report::BuildContext {
  public:
    void Add(std::string name, std::string value) {
        values_.emplace_back(std::move(name), std::move(value));
    }
    void OnGetValue(const std::string& name, report::Variant& value) override {
        for (const auto& [known, text] : values_) {
            if (report::SameText(known, name)) {
                value = report::Variant::String(text);
                return;
            }
        }
    }

  private:
    std::vector<std::pair<std::string, std::string>> values_;
};

int Usage() {
    std::fputs("usage : etat eval [--var NOM=VALEUR]... EXPRESSION\n", stderr);
    return 1;
}

int Eval(const std::vector<std::string>& args) {
    CommandLineValues values;
    std::string expression;
    bool haveExpression = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--var") {
            if (i + 1 >= args.size()) return Usage();
            const std::string& pair = args[++i];
            const size_t equals = pair.find('=');
            if (equals == std::string::npos || equals == 0) {
                std::fprintf(stderr,
                             "etat : variable mal \xC3\xA9"
                             "crite \xC2\xAB %s \xC2\xBB "
                             "(NOM=VALEUR attendu)\n",
                             pair.c_str());
                return 1;
            }
            values.Add(report::Utf8ToCp1252(pair.substr(0, equals)),
                       report::Utf8ToCp1252(pair.substr(equals + 1)));
        } else if (!haveExpression) {
            expression = report::Utf8ToCp1252(args[i]);
            haveExpression = true;
        } else {
            return Usage();
        }
    }
    if (!haveExpression) return Usage();

    report::Engine engine(nullptr);  // the virtual printer: etat prints nothing
    engine.Resolver().Attach(&values);
    const report::Variant value = engine.SharedParser().Evaluate(expression);
    const std::string text = value.IsNull() ? std::string() : value.ToText();
    std::printf("%s %s\n", std::string(report::KindName(value.Kind())).c_str(),
                report::Cp1252ToUtf8(text).c_str());
    return 0;
}

const EtatCommand kEval("eval", "eval [--var NAME=VALUE]... EXPR", Eval);

}  // namespace
}  // namespace etat
