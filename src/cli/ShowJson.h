#pragma once

#include "core/text/JsonWriter.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QString>
#include <QStringList>

#include <array>
#include <cmath>

// The pieces `qrn show --json` is written from, by hand so that the keys
// keep the documented order; shared by the sheet's part and the checks'.
namespace quiren::cli {

inline QString jsonString(const QString &text)
{
    return JsonString(text);
}

inline QString jsonPair(const QString &a, const QString &b)
{
    return QLatin1Char('[') + jsonString(a) + QStringLiteral(", ") + jsonString(b) + QLatin1Char(']');
}

class JsonObject {
public:
    explicit JsonObject(int indent) : m_indent(indent) {}
    void add(const char *key, const QString &rawValue) { m_members.append({QLatin1String(key), rawValue}); }
    QString text() const
    {
        const QString inner(m_indent + 2, QLatin1Char(' '));
        QString out = QStringLiteral("{\n");
        for (int i = 0; i < m_members.size(); ++i) {
            out += inner + jsonString(m_members[i].first) + QStringLiteral(": ") + m_members[i].second;
            out += i + 1 < m_members.size() ? QStringLiteral(",\n") : QStringLiteral("\n");
        }
        return out + QString(m_indent, QLatin1Char(' ')) + QLatin1Char('}');
    }

private:
    int m_indent;
    QList<QPair<QString, QString>> m_members;
};

inline QString jsonArray(const QStringList &items, int indent)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    const QString inner(indent + 2, QLatin1Char(' '));
    return QStringLiteral("[\n") + inner + items.join(QStringLiteral(",\n") + inner) + QLatin1Char('\n')
           + QString(indent, QLatin1Char(' ')) + QLatin1Char(']');
}

inline QString jsonNumber(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', QLocale::FloatingPointShortest)
                                : QStringLiteral("null");
}

inline QString jsonBool(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

inline QString jsonNumbers(const std::array<double, 2> &values, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << jsonNumber(values[i]);
    return QLatin1Char('[') + items.join(QStringLiteral(", ")) + QLatin1Char(']');
}

} // namespace quiren::cli
