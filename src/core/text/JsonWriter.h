#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// JSON written by hand, so that members keep the order a reader of the file
// expects (QJsonObject sorts its keys). Objects and arrays are either laid
// out one member per line, indented by two blanks per level, or kept on one
// line (a framing row, a pair of values per direction).
namespace quiren {

// A text as a JSON string, quotes included. Non-ASCII characters are kept
// as they are; only the quote, the backslash and control characters are
// escaped.
QString JsonString(QStringView text);

class JsonWriter {
public:
    enum Layout { Block, Inline };

    void beginObject(Layout layout = Block) { open('{', layout); }
    void endObject() { close('}'); }
    void beginArray(Layout layout = Block) { open('[', layout); }
    void endArray() { close(']'); }

    // The name of the next member of the current object.
    void key(QStringView name);

    void string(QStringView value);
    void integer(qint64 value);
    void boolean(bool value);
    // Written in the shortest form that reads back as the same double.
    void number(double value);

    // The document as UTF-8, ending in a line break.
    QByteArray bytes() const;

private:
    struct Level {
        Layout layout;
        int members = 0;
    };
    void open(char bracket, Layout layout);
    void close(char bracket);
    void beforeValue();
    void newLine(int depth);

    std::vector<Level> m_levels;
    QString m_out;
    bool m_afterKey = false;
};

} // namespace quiren
