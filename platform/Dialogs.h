#pragma once
// The file-open dialog and message boxes, with a test seam so that commands can be driven
// without anything blocking.

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Types.h"

class TOpenDialog : public TObject {
public:
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    /// "description|pattern|description|pattern...", as "*.*|*.*".
    const std::string& Filter() const { return filter_; }
    void SetFilter(std::string filter) { filter_ = std::move(filter); }
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(std::string ext) { defaultExt_ = std::move(ext); }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string name) { fileName_ = std::move(name); }

    /// Shows the dialog modally. True and FileName set when the user chose a file; false and
    /// FileName unchanged when cancelled.
    bool Execute();

private:
    std::string title_;
    std::string filter_;
    std::string defaultExt_;
    std::string fileName_;
};

enum class TMsgIcon { None, Error };

/// A modal message box with `text` (CR LF starts a new line), one OK button and `caption`.
void ShowMessageBox(const std::string& text, const std::string& caption, TMsgIcon icon);

/// While one exists, dialogs and message boxes do not show: each TOpenDialog::Execute takes
/// the next answer (a file name, or nullopt for cancel; cancel when none is left) and every
/// message box is recorded.
class DialogSeam {
public:
    struct OpenDialogSeen {
        std::string title;
        std::string filter;
        std::string defaultExt;
        std::string fileName;
    };
    struct MessageBoxSeen {
        std::string text;
        std::string caption;
        TMsgIcon icon;
        bool busyCursor = false; // the busy cursor was showing: the user would wait on a box
    };

    DialogSeam();
    ~DialogSeam();
    DialogSeam(const DialogSeam&) = delete;
    DialogSeam& operator=(const DialogSeam&) = delete;

    std::deque<std::optional<std::string>> openAnswers;
    std::vector<OpenDialogSeen> openDialogs;
    std::vector<MessageBoxSeen> messageBoxes;

    /// The active seam, or nullptr.
    static DialogSeam* Active();

private:
    DialogSeam* previous_; // active again when this one ends
};
