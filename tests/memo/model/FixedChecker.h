#pragma once
// A memo checker for tests: it corrects words from a fixed table and, in a line, every
// occurrence of one text by another, and notes every check it is asked for.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "memo/model/MemoChecker.h"

class TFixedChecker : public TAdvMemoChecker {
public:
    std::map<std::string, std::string, std::less<>> Words; // a whole word, and what it becomes
    std::string LineFrom, LineTo;    // in a line, every LineFrom becomes LineTo
    std::vector<std::string> Checks; // "line 3 [text]", "word [w] at 5 in [line]"

    void CorrectLine(std::string& line) override {
        if (LineFrom.empty())
            return;
        for (auto at = line.find(LineFrom); at != std::string::npos;
             at = line.find(LineFrom, at + LineTo.size()))
            line.replace(at, LineFrom.size(), LineTo);
    }
    void CheckLine(int index, std::string_view line) override {
        Checks.push_back("line " + std::to_string(index) + " [" + std::string(line) + "]");
    }
    void CorrectWord(std::string_view, int, std::string& word) override {
        if (const auto found = Words.find(word); found != Words.end())
            word = found->second;
    }
    void CheckWord(std::string_view line, int column, std::string_view word) override {
        Checks.push_back("word [" + std::string(word) + "] at " + std::to_string(column) + " in [" +
                         std::string(line) + "]");
    }
};
