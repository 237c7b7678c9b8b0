#pragma once

#include <QByteArray>

#include <optional>

// The line format of the calculation file (.qrn) and of "WallListData":
// fields separated by commas, texts in double quotes, lines ended by CR LF.
// Both files are read and written through these two classes, over the bytes
// (the files' code page, CP932, never uses a quote or a comma inside a
// character), so the files' quirks are kept in one place.
namespace quiren {

struct QuotedField {
    QByteArray text;        // inside the quotes, or the bare text without trailing blanks
    bool quoted = false;
    bool closed = true;     // a quoted text found its closing quote
    bool clean = true;      // nothing but blanks between the closing quote and the delimiter
    char delimiter = 0;     // ',', '\r' or '\n' that ended it; 0 at the end of the bytes
};

// Takes the fields of some bytes one after another. A comma or a line end
// (CR LF, CR or LF) ends a field; blanks before a field are skipped. A field
// that begins with a double quote runs to the next double quote (or the end
// of the bytes), and whatever follows it up to the next comma or line end is
// skipped; any other field runs to the next comma or line end, trailing
// blanks removed.
class QuotedFieldReader {
public:
    explicit QuotedFieldReader(const QByteArray &bytes, qsizetype start = 0) : m_bytes(bytes), m_pos(start) {}

    // The next field; empty at the end of the bytes.
    std::optional<QuotedField> next();

private:
    const QByteArray &m_bytes;
    qsizetype m_pos = 0;
};

// Builds lines of fields.
class QuotedLineWriter {
public:
    // A text in double quotes (which the caller has made sure it does not
    // hold).
    void quoted(const QByteArray &text);
    // A bare field (a number, "#TRUE#").
    void bare(const QByteArray &text);
    // Ends the line with CR LF.
    void endLine();

    const QByteArray &bytes() const { return m_bytes; }

private:
    void separate();

    QByteArray m_bytes;
    bool m_first = true;
};

} // namespace quiren
