#pragma once
// Window > More Windows...: dialog "Select Window" listing every open window by its title,
// the active one selected; OK (or a double click) picks one.

#include <QDialog>
#include <QStringList>

class QListWidget;

namespace velor {

class CWindowListDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kListName = "windowList";

    CWindowListDlg(const QStringList& titles, int current, QWidget* parent = nullptr);
    // The window picked; -1 for none.
    int Chosen() const;

private:
    QListWidget* m_list;
};

}  // namespace velor
