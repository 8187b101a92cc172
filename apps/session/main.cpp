// zelt-session: runs a script of host calls and clerk actions against the
// control with no window, printing each step and what the control showed.
#include "ScriptParser.h"
#include "SessionCommands.h"
#include "SessionHost.h"
#include "SessionRunner.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* kUsage =
    "Usage: zelt-session SCRIPT\n"
    "Runs SCRIPT, a text of one command a line, against the control with no window, as the demo host\n"
    "hosts it, and prints each step and what the control showed. \"#\" starts a comment; texts are\n"
    "quoted, with \\\" and \\\\ (and \\n, \\r, \\t) as escapes; controls are named as the form names them:\n"
    "cmdAdd, txtField(1). Exit status: 0 every expectation met, 1 some were not, 2 a script error.\n\n"
    "Commands:\n";

} // namespace

int main(int argc, char** argv)
{
    const std::string arg = argc == 2 ? argv[1] : "";
    if (arg == "--help" || arg == "-h") {
        std::cout << kUsage << zelt::session::SessionCommands::help();
        return 0;
    }
    if (argc != 2 || arg.empty() || arg.front() == '-') {
        std::cerr << kUsage << zelt::session::SessionCommands::help();
        return 2;
    }
    std::ifstream in(arg, std::ios::binary);
    if (!in) {
        std::cerr << "zelt-session: cannot read " << arg << "\n";
        return 2;
    }
    std::ostringstream script;
    script << in.rdbuf();

    const zelt::view::Form form;
    const auto parsed = zelt::session::ScriptParser::parse(script.str(), arg, form);
    for (const auto& error : parsed.errors) std::cerr << error.text() << "\n";
    if (!parsed.errors.empty()) return 2;
    try {
        zelt::session::SessionHost host(std::cout);
        return zelt::session::SessionRunner(host, std::cout, std::cerr).run(parsed.steps, arg);
    } catch (const std::exception& e) {
        std::cerr << "zelt-session: " << e.what() << "\n";
        return 2;
    }
}
