#pragma once

#include <QDialog>

namespace quiren {

// The about window (frmAbout, "ﾊﾞｰｼﾞｮﾝ情報 Quiren"): the program's icon, name
// and version, and an OK button.
class AboutWindow : public QDialog {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *owner = nullptr);
};

} // namespace quiren
