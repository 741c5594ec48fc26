#include "tools/replay/script.h"

#include <charconv>
#include <map>
#include <sstream>

#include "platform/files.h"
#include "platform/number_text.h"

namespace kelto::replay {
namespace {

// Verb -> number of arguments (-1: the rest of the line is one argument after the first word).
const std::map<std::string, int>& Arity() {
    static const std::map<std::string, int> arity = {
        {"wait", 1},   {"ticks", 2},      {"keydown", 1}, {"keyup", 1},     {"focus", 1},
        {"show", 1},   {"mousedown", 2},  {"mouseup", 2}, {"mousemove", 2}, {"click", 2},
        {"answer", 1}, {"time", 1},       {"date", 1},    {"set", -1},      {"print", 1},
        {"state", 0},  {"screenshot", 2}, {"watch", 1},   {"file", 1},      {"pixel", 3},
        {"boxshot", 1},
    };
    return arity;
}

bool IsNumber(const std::string& s) {
    return ParseGeneral(s).has_value();
}

void Check(const Command& c) {
    auto fail = [&](const std::string& m) { throw ParseError{c.line, m}; };
    const std::string& v = c.verb;
    if ((v == "wait" || v == "keydown" || v == "keyup") && !IsNumber(c.args[0]))
        fail(v + " needs a number");
    if (v == "ticks" && !IsNumber(c.args[1])) fail("ticks needs a count");
    if (v == "pixel" && !(IsNumber(c.args[1]) && IsNumber(c.args[2])))
        fail("pixel needs WINDOW X Y");
    if (v == "answer" && c.args[0] != "yes" && c.args[0] != "no" && c.args[0] != "ok")
        fail("answer must be yes, no or ok");
    if (v == "time" || v == "date") {
        int a, b, d;
        char s1, s2;
        std::istringstream in(c.args[0]);
        if (!(in >> a >> s1 >> b >> s2 >> d) || !in.eof())
            fail(v + " needs " + (v == "time" ? "HH:MM:SS" : "YYYY-MM-DD"));
    }
    if (v == "wait" && std::stod(c.args[0]) < 0) fail("wait needs a positive number");
}

}  // namespace

bool SplitIndexed(const std::string& word, std::string& name, int& index) {
    index = -1;
    auto open = word.find('(');
    if (open == std::string::npos) {
        name = word;
        return !word.empty();
    }
    if (word.back() != ')' || open == 0) return false;
    name = word.substr(0, open);
    std::string digits = word.substr(open + 1, word.size() - open - 2);
    auto r = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    return r.ec == std::errc() && r.ptr == digits.data() + digits.size() && index >= 0;
}

std::vector<Command> ParseScript(const std::string& text) {
    std::vector<Command> commands;
    int lineNo = 0;
    for (std::string line : SplitLines(text)) {
        ++lineNo;
        // A '#' outside double quotes starts a comment.
        bool quoted = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '"' && (i == 0 || line[i - 1] != '\\')) quoted = !quoted;
            if (line[i] == '#' && !quoted) {
                line.resize(i);
                break;
            }
        }
        std::istringstream in(line);
        Command c;
        c.line = lineNo;
        if (!(in >> c.verb)) continue;
        auto it = Arity().find(c.verb);
        if (it == Arity().end()) throw ParseError{lineNo, "unknown command '" + c.verb + "'"};
        if (it->second < 0) {
            std::string target, rest;
            if (!(in >> target)) throw ParseError{lineNo, c.verb + " needs a target and a value"};
            std::getline(in, rest);
            rest.erase(0, rest.find_first_not_of(" \t"));
            while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.pop_back();
            if (rest.empty()) throw ParseError{lineNo, c.verb + " needs a value"};
            c.args = {target, rest};
        } else {
            std::string word;
            while (in >> word) c.args.push_back(word);
            // Mouse commands take an optional button number.
            const bool mouse = c.verb.rfind("mouse", 0) == 0 || c.verb == "click";
            const size_t n = static_cast<size_t>(it->second);
            if (!(c.args.size() == n || (mouse && c.args.size() == n + 1 && IsNumber(c.args[n]))))
                throw ParseError{lineNo, c.verb + " takes " + std::to_string(n) + " argument(s)"};
        }
        Check(c);
        commands.push_back(std::move(c));
    }
    return commands;
}

}  // namespace kelto::replay
