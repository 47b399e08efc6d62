#pragma once
// File Logging: the log file chosen already exists; the user appends to it, overwrites it or
// goes back to the parameters.

#include <QDialog>

namespace velor {

enum class ExistingLogChoice { Append, Overwrite, Cancel };

class CFileLogDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kAppendName = "appendButton";
    static constexpr const char* kOverwriteName = "overwriteButton";
    static constexpr const char* kCancelName = "cancelButton";

    explicit CFileLogDlg(QWidget* parent = nullptr);

    ExistingLogChoice Choice() const { return m_choice; }

    // Shows the dialog and answers with the user's choice (Cancel when it is closed).
    static ExistingLogChoice Ask(QWidget* parent);

private:
    ExistingLogChoice m_choice = ExistingLogChoice::Cancel;
};

}  // namespace velor
