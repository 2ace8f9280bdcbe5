#pragma once
// A main window driven in-process: dialogs and message boxes answered by the seam.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/MainForm.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

class FormFixture : public ::testing::Test {
protected:
    FormFixture() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "dyadlist-form-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        Application->SetTitle("Dyadlist");
    }
    ~FormFixture() override { std::filesystem::remove_all(dir); }

    std::string File(const std::string& name, std::string_view bytes) {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return path.string();
    }

    /// Loads `bytes` as the left or the right list, through its load button.
    void LoadLeft(std::string_view bytes) {
        seam.openAnswers.push_back(File("left.txt", bytes));
        form.LoadLeftButton().Click();
    }
    void LoadRight(std::string_view bytes) {
        seam.openAnswers.push_back(File("right.txt", bytes));
        form.LoadRightButton().Click();
    }

    static std::vector<std::string> Entries(const TMemo& memo) {
        std::vector<std::string> entries;
        const std::string text = memo.Text();
        if (memo.EntryCount() == 0)
            return entries;
        std::size_t start = 0;
        while (true) {
            const std::size_t end = text.find('\n', start);
            entries.push_back(text.substr(start, end - start));
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        return entries;
    }

    std::filesystem::path dir;
    DialogSeam seam;
    TForm1 form;
};
