#pragma once

#include <string>
#include <utility>
#include <vector>

namespace tarnwick::bench {

// A document to search and the strings to look for, in the panel's order.
struct DocumentShape {
    std::string name;         // names the shape on the command line
    std::string description;  // what the figures were measured on
    std::string text;         // UTF-8, CR LF line ends
    std::vector<std::string> needles;
    double memoryTarget;  // bytes held per match that the search must not pass; 0 for none
};

// The shapes the search is timed on, so that no gain is tuned to one of them: a 20 MB log
// with about one match per line, many short lines with many matches each, and few lines of
// 10,000 bytes.
std::vector<std::string> documentShapeNames();
DocumentShape makeDocumentShape(const std::string& name);
// The log lines that would follow those of the "log" shape `log`, `bytes` of them or a
// little more: what a watched log adds as it grows.
std::string logLinesAfter(const DocumentShape& log, std::size_t bytes);

// Documents searched as one long line and as the same text in lines: 10,000 records of
// 100 bytes (1 MB), and the 20 MB log. The pair is the one line first.
std::vector<std::string> longLineShapeNames();
std::pair<DocumentShape, DocumentShape> makeLongLinePair(const std::string& name);

}  // namespace tarnwick::bench
