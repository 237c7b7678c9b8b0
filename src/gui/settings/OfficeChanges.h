#pragma once

#include <QObject>

namespace quiren {

// The one place that tells every open sheet that the office's data changed
// (Apply or OK in the options window): the certified walls, the strong-wind
// factor, the settings a sheet is worked out with. Each document listens,
// so a window that is not active is never left with stale figures.
class OfficeChanges : public QObject {
    Q_OBJECT

public:
    static OfficeChanges &instance();

    // Said by the options window once the new data is stored.
    void tellApplied() { emit applied(); }

signals:
    void applied();

private:
    OfficeChanges() = default;
};

} // namespace quiren
