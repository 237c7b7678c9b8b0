#pragma once

class QWidget;
class QScreen;

// Lengths given in twips: 1440 to the inch at the screen's logical
// resolution.
namespace quiren {

inline constexpr double TwipsPerInch = 1440.0;

// Horizontal and vertical twips to pixels on the screen of `widget` (the
// primary screen when it has none yet).
int TwipsToPixelsX(double twips, const QWidget *widget = nullptr);
int TwipsToPixelsY(double twips, const QWidget *widget = nullptr);
double PixelsToTwipsX(int pixels, const QWidget *widget = nullptr);
double PixelsToTwipsY(int pixels, const QWidget *widget = nullptr);

} // namespace quiren
