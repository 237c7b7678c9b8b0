#pragma once

#include <QWidget>

class QLabel;

namespace quiren {

// The splash window (frmSplash): a borderless window with a blue gradient
// and the program's name, shown while the program starts. It stays until
// the first calculation window has loaded. The build draws it once into a
// picture (shell/splash/MakeSplashPicture.cpp), and that picture is what
// ShowSplashWindow shows.
class SplashWindow : public QWidget {
    Q_OBJECT

public:
    explicit SplashWindow(QWidget *parent = nullptr);
    ~SplashWindow() override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// Shows the splash window (not modal) and paints it at once.
void ShowSplashWindow();
// Closes the splash window if it is shown (each calculation window's load
// calls this).
void CloseSplashWindow();
bool SplashWindowShown();

} // namespace quiren
