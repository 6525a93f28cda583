#include "utils/gui/handlers/Logger.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QMutex>
#include <QSet>

#include <algorithm>
#include <atomic>
#include <exception>
#include <iostream>
#include <mutex>
#include <optional>
#include <vector>

namespace utils {

namespace {

constexpr auto LOGGER_TIMESTAMP = "yyyy/MM/dd HH:mm:ss";

// Only ever goes from true to false during a run; a failed logger stays silent.
std::atomic<bool> doLogging{true};
// Keeps concurrent lines whole and guards the stream pointer.
std::mutex writeMutex;
// nullptr means standard output.
std::ostream* outStream = nullptr;

void switchOff(const char* reason)
{
    if (doLogging.exchange(false)) {
        std::cerr << "Logger: logging switched off for the rest of the run: " << reason
                  << std::endl;
    }
}

// --- Reading g++'s function signatures ----------------------------------------------------
//
// function_name() gives e.g. "static bool utils::AccessOther::openWebPage(const QString&)",
// "ns::A::operator bool() const", "static void (* ns::A::fp())(int)",
// "void ns::B<T>::m(std::vector<T>) [with T = int]" or "ns::A::A()::<lambda()>". The text is
// cut into tokens at nesting depth zero; the qualified name of the function is then the last
// run of "name::name(...)::<lambda()>" pieces that contains a parameter list.

enum class Kind
{
    Name,
    Lambda,
    Scope,
    Parens,
    Other
};

struct Token
{
    Kind kind;
    std::string_view text; // Name: without template arguments; Parens: the inside
};

bool isIdentChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$';
}

bool isOperatorChar(char c)
{
    return std::string_view("+-*/%^&|~!=<>,").find(c) != std::string_view::npos;
}

// Index just past the bracket that closes the one at `pos`; the end of the text when it
// never closes, so broken input still terminates.
std::size_t skipGroup(std::string_view s, std::size_t pos, char open, char close)
{
    int depth = 0;
    for (std::size_t i = pos; i < s.size(); ++i) {
        if (s[i] == open) {
            ++depth;
        } else if (s[i] == close && --depth == 0) {
            return i + 1;
        }
    }
    return s.size();
}

// Template arguments may hold parenthesised types such as "void(int)"; those are skipped
// whole so a '>' inside them cannot end the argument list.
std::size_t skipAngles(std::string_view s, std::size_t pos)
{
    int depth = 0;
    for (std::size_t i = pos; i < s.size(); ++i) {
        if (s[i] == '(') {
            i = skipGroup(s, i, '(', ')') - 1;
        } else if (s[i] == '<') {
            ++depth;
        } else if (s[i] == '>' && --depth == 0) {
            return i + 1;
        }
    }
    return s.size();
}

// "operator" has just been read and ends at `pos`; returns the end of the operator's name.
std::size_t skipOperatorName(std::string_view s, std::size_t pos)
{
    if (s.substr(pos, 2) == "()" || s.substr(pos, 2) == "[]") {
        return pos + 2;
    }
    if (pos < s.size() && isOperatorChar(s[pos])) {
        while (pos < s.size() && isOperatorChar(s[pos])) {
            ++pos;
        }
        return pos;
    }
    // Conversion operators, new/delete and literal operators: up to the parameter list.
    int angles = 0;
    while (pos < s.size() && !(s[pos] == '(' && angles == 0)) {
        if (s[pos] == '<') {
            ++angles;
        } else if (s[pos] == '>' && angles > 0) {
            --angles;
        }
        ++pos;
    }
    while (pos > 0 && s[pos - 1] == ' ') {
        --pos;
    }
    return pos;
}

std::vector<Token> tokenize(std::string_view s)
{
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        if (s.substr(i, 2) == "::") {
            tokens.push_back({Kind::Scope, s.substr(i, 2)});
            i += 2;
        } else if (c == '(') {
            const std::size_t end = skipGroup(s, i, '(', ')');
            const std::size_t innerEnd = (end > i + 1 && s[end - 1] == ')') ? end - 1 : end;
            tokens.push_back({Kind::Parens, s.substr(i + 1, innerEnd - i - 1)});
            i = end;
        } else if (s.substr(i, 7) == "<lambda") {
            // "<lambda(std::vector<int>)>": the closing '>' is the first one outside parentheses.
            std::size_t j = i + 1;
            while (j < s.size() && s[j] != '>') {
                j = (s[j] == '(') ? skipGroup(s, j, '(', ')') : j + 1;
            }
            const std::size_t end = std::min(j + 1, s.size());
            tokens.push_back({Kind::Lambda, s.substr(i, end - i)});
            i = end;
        } else if (c == '{') {
            // "{anonymous}" stands where a namespace name would.
            const std::size_t end = skipGroup(s, i, '{', '}');
            tokens.push_back({Kind::Name, s.substr(i, end - i)});
            i = end;
        } else if (isIdentChar(c) || c == '~') {
            std::size_t j = i + 1;
            while (j < s.size() && isIdentChar(s[j])) {
                ++j;
            }
            std::size_t nameEnd = j;
            if (s.substr(i, j - i) == "operator") {
                nameEnd = j = skipOperatorName(s, j);
            } else if (j < s.size() && s[j] == '<') {
                j = skipAngles(s, j);
            }
            // ABI tags, as in "name[abi:cxx11](...)", belong to the name.
            while (s.substr(j, 5) == "[abi:") {
                j = skipGroup(s, j, '[', ']');
            }
            tokens.push_back({Kind::Name, s.substr(i, nameEnd - i)});
            i = j;
        } else if (c == '[') {
            // Trailers such as " [with T = int]" and array declarators.
            const std::size_t end = skipGroup(s, i, '[', ']');
            tokens.push_back({Kind::Other, s.substr(i, end - i)});
            i = end;
        } else {
            tokens.push_back({Kind::Other, s.substr(i, 1)});
            ++i;
        }
    }
    return tokens;
}

struct Component
{
    std::string_view name;
    bool isFunction = false;
    bool isLambda = false;
};

bool looksLikeNamespace(std::string_view name)
{
    // Class names are upper camel case; namespaces (vantor, utils, std, {anonymous}) are not.
    return name.empty() || name.front() == '{' || (name.front() >= 'a' && name.front() <= 'z');
}

std::string_view fileBaseName(std::string_view fileName)
{
    const std::size_t slash = fileName.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        fileName.remove_prefix(slash + 1);
    }
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string_view::npos && dot > 0) {
        fileName = fileName.substr(0, dot);
    }
    return fileName;
}

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::vector<Component>> findFunctionChain(std::string_view signature)
{
    const std::vector<Token> tokens = tokenize(signature);
    std::optional<std::vector<Component>> found;
    std::vector<std::string_view> looseParens;
    std::vector<Component> chain;
    bool afterScope = false;

    auto finishChain = [&] {
        for (const Component& part : chain) {
            if (part.isFunction || part.isLambda) {
                found = chain;
                break;
            }
        }
        chain.clear();
        afterScope = false;
    };

    for (const Token& token : tokens) {
        switch (token.kind) {
        case Kind::Name:
        case Kind::Lambda:
            if (!chain.empty() && !afterScope) {
                finishChain();
            }
            chain.push_back({token.text, false, token.kind == Kind::Lambda});
            afterScope = false;
            break;
        case Kind::Scope:
            afterScope = true;
            break;
        case Kind::Parens:
            if (!chain.empty() && !afterScope && !chain.back().isFunction &&
                !chain.back().isLambda) {
                chain.back().isFunction = true;
            } else {
                finishChain();
                looseParens.push_back(token.text);
            }
            break;
        case Kind::Other:
            finishChain();
            break;
        }
    }
    finishChain();
    if (found) {
        return found;
    }
    // A function returning a function pointer: "void (* ns::A::fp())(int)".
    for (std::string_view inner : looseParens) {
        if (auto nested = findFunctionChain(inner)) {
            return nested;
        }
    }
    return std::nullopt;
}

} // namespace

Logger::Caller Logger::describeCaller(std::string_view functionName, std::string_view fileName)
{
    const QString fileClass = toQString(fileBaseName(fileName));
    std::optional<std::vector<Component>> chain = findFunctionChain(functionName);
    if (!chain) {
        return {fileClass,
                functionName.empty() ? QStringLiteral("unknown") : toQString(functionName)};
    }
    // A lambda reports the function it was written in, the way a reader looks it up.
    bool droppedLambda = false;
    while (!chain->empty() && chain->back().isLambda) {
        chain->pop_back();
        droppedLambda = true;
    }
    std::string_view method;
    std::string_view owner;
    if (!chain->empty() && chain->back().isFunction) {
        method = chain->back().name;
        if (chain->size() >= 2) {
            const Component& before = (*chain)[chain->size() - 2];
            if (!before.isFunction && !looksLikeNamespace(before.name)) {
                owner = before.name;
            }
        }
    } else {
        // A lambda outside any function, e.g. one initialising a global.
        method = droppedLambda ? std::string_view("<lambda>") : std::string_view("unknown");
        if (!chain->empty() && !looksLikeNamespace(chain->back().name)) {
            owner = chain->back().name;
        }
    }
    return {owner.empty() ? fileClass : toQString(owner), toQString(method)};
}

void Logger::log(const QString& message, std::source_location caller)
{
    if (!doLogging.load()) {
        return;
    }
    try {
        const Caller who = describeCaller(caller.function_name(), caller.file_name());
        const QString line =
            QDateTime::currentDateTime().toString(QLatin1String(LOGGER_TIMESTAMP)) +
            QLatin1Char(' ') + who.className + QLatin1String(": ") + who.methodName +
            QLatin1String(": ") + message;
        const QByteArray bytes = line.toUtf8();

        const std::lock_guard lock(writeMutex);
        if (!doLogging.load()) {
            return; // another thread failed while this line was being built
        }
        std::ostream& out = outStream ? *outStream : std::cout;
        out.write(bytes.constData(), bytes.size());
        out.put('\n');
        out.flush();
        if (!out) {
            switchOff("the output stream reported a write error");
        }
    } catch (const std::exception& e) {
        switchOff(e.what());
    } catch (...) {
        switchOff("unknown exception");
    }
}

void Logger::logOnce(const QString& what, const QString& message, std::source_location caller)
{
    static QMutex mutex;
    // Digests, not the texts: a reported value may be a megabyte long.
    static QSet<QByteArray> reported;
    const QByteArray digest = QCryptographicHash::hash(what.toUtf8(), QCryptographicHash::Sha256);
    {
        const QMutexLocker lock(&mutex);
        if (reported.contains(digest)) {
            return;
        }
        reported.insert(digest);
    }
    log(message, caller);
}

QString Logger::excerpt(const QString& value)
{
    constexpr qsizetype most = 80;
    if (value.size() <= most) {
        return QLatin1Char('"') + value + QLatin1Char('"');
    }
    return QStringLiteral("\"%1…\" (%2 characters)").arg(value.left(most)).arg(value.size());
}

bool Logger::isLogging()
{
    return doLogging.load();
}

void Logger::setStream(std::ostream* stream)
{
    const std::lock_guard lock(writeMutex);
    outStream = stream;
}

void Logger::resetForTesting()
{
    const std::lock_guard lock(writeMutex);
    outStream = nullptr;
    doLogging.store(true);
}

} // namespace utils
