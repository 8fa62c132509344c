#include "document_shapes.hpp"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace tarnwick::bench {

namespace {

// Appends one printf-formatted line; the bench's lines are all far shorter than the buffer.
template <typename... Values>
void appendLine(std::string& text, const char* format, Values... values) {
    char line[160];
    const int length = std::snprintf(line, sizeof line, format, values...);
    text.append(line, static_cast<std::size_t>(length));
}

// Log lines numbered from `first` on, until they hold `bytes` or a little more: "status=" on
// every line, "ERROR" on every 21st, "zebra" never.
std::string logLines(int first, std::size_t bytes) {
    std::string log;
    log.reserve(bytes + 160);
    for (int i = first; log.size() < bytes; ++i) {
        const char* level = i % 21 == 0 ? "ERROR" : "INFO ";
        appendLine(log,
                   "2026-12-08 10:%02d:%02d %s worker-%02d handled request %07d in %3d ms "
                   "status=200\r\n",
                   i / 60 % 60, i % 60, level, i % 16, i, i % 997);
    }
    return log;
}

// About 20 MB of log lines.
DocumentShape makeLog() {
    return {"log",
            "20 MB log, three strings: every line, every 21st, none",
            logLines(0, 20'000'000),
            {"status=", "error", "zebra-unicorn"},
            sizeof(void*) == 8 ? 24.0 : 16.0};
}

// 30,000 lines of 56 bytes, each with three matches of each of three strings.
DocumentShape makeShortLines() {
    std::string text;
    for (int i = 0; i < 30'000; ++i)
        appendLine(text, "%07d red green blue, red green blue, red green blue\r\n", i);
    return {"short",
            "30,000 short lines, three strings three times on every line",
            std::move(text),
            {"red", "green", "blue"},
            0};
}

// 1,000 lines of 10,000 bytes: "status=" every 500 bytes, "ERROR" once a line, "zebra" never.
DocumentShape makeLongLines() {
    constexpr int kChunks = 200;  // of 50 bytes each, the last two of them the line end
    std::string text;
    char chunk[64];
    for (int i = 0; i < 1'000; ++i) {
        for (int j = 0; j < kChunks; ++j) {
            const char* field = j % 10 == 0 ? "status=200" : j == 105 ? "ERROR     " : "value     ";
            std::snprintf(chunk, sizeof chunk, "%05d-%03d %s ............................ ", i, j,
                          field);
            text.append(chunk, 50);
        }
        text.replace(text.size() - 2, 2, "\r\n");
    }
    return {"long",
            "1,000 lines of 10,000 bytes, three strings: 20 times a line, once, none",
            std::move(text),
            {"status=", "error", "zebra-unicorn"},
            0};
}

// 10,000 records of 100 bytes, each with one "status=", one to a line: 1 MB.
DocumentShape makeRecords() {
    std::string text;
    for (int i = 0; i < 10'000; ++i) {
        const std::size_t start = text.size();
        appendLine(text, "record %05d status=200 ", i);
        text.append(start + 98 - text.size(), '.');
        text += "\r\n";
    }
    return {"records",
            "10,000 records of 100 bytes, one match each, two strings",
            std::move(text),
            {"status=", "zebra-unicorn"},
            0};
}

// The same bytes with every line end replaced by two spaces: one line.
DocumentShape asOneLine(DocumentShape lines) {
    for (std::size_t i = 0; i + 1 < lines.text.size(); ++i)
        if (lines.text[i] == '\r' && lines.text[i + 1] == '\n') lines.text.replace(i, 2, "  ");
    lines.name += "-line";
    lines.description += ", as one line";
    return lines;
}

}  // namespace

std::vector<std::string> longLineShapeNames() {
    return {"records", "log"};
}

std::pair<DocumentShape, DocumentShape> makeLongLinePair(const std::string& name) {
    DocumentShape lines = name == "records" ? makeRecords() : makeDocumentShape(name);
    DocumentShape line = asOneLine(lines);
    return {std::move(line), std::move(lines)};
}

std::vector<std::string> documentShapeNames() {
    return {"log", "short", "long"};
}

std::string logLinesAfter(const DocumentShape& log, std::size_t bytes) {
    const auto lines = std::count(log.text.begin(), log.text.end(), '\n');
    return logLines(static_cast<int>(lines), bytes);
}

DocumentShape makeDocumentShape(const std::string& name) {
    if (name == "log") return makeLog();
    if (name == "short") return makeShortLines();
    if (name == "long") return makeLongLines();
    throw std::invalid_argument("no document shape named " + name);
}

}  // namespace tarnwick::bench
