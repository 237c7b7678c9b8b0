#pragma once

#include "core/print/SheetDevice.h"
#include "core/print/JwExport.h"

#include <QString>

#include <vector>

namespace quiren::test {

// A sheet device with fixed character sizes: a page 11340 twips wide, texts
// one em high, a full-width character one em wide and a half-width one half
// an em (by its CP932 byte count). It records what is drawn on it.
class FakeSheetDevice : public SheetDevice {
public:
    struct Op {
        enum Kind { Text, Line, Begin, NewPage } kind = Text;
        float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        QString text;
        int size = 0;       // font size of a text
        int lineWidth = 0;  // pen of a line, in pixels
    };

    float printableWidth() const override { return 11340.0f; }
    float printableHeight() const override { return 16280.0f; }
    void setFontSize(int points) override { m_points = points; }
    int fontSize() const override { return m_points; }
    float textWidth(const QString &text) const override { return widthAt(text, m_points); }
    static float widthAt(const QString &text, int points)
    {
        return static_cast<float>(JwBytes(text).size()) * static_cast<float>(points) * 10.0f;
    }
    float textHeight(const QString &) const override { return static_cast<float>(m_points) * 20.0f; }
    void beginPage() override { ops.push_back(make(Op::Begin, 0, 0, 0, 0)); }
    void newPage() override { ops.push_back(make(Op::NewPage, 0, 0, 0, 0)); }
    void drawText(float x, float y, const QString &text) override
    {
        Op op = make(Op::Text, x, y, 0, 0);
        op.text = text;
        op.size = m_points;
        ops.push_back(op);
    }
    void drawLine(float x1, float y1, float x2, float y2) override
    {
        Op op = make(Op::Line, x1, y1, x2, y2);
        op.lineWidth = m_lineWidth;
        ops.push_back(op);
    }
    void setLineWidth(int pixels) override { m_lineWidth = pixels; }

    std::vector<Op> ops;

    std::vector<Op> texts() const
    {
        std::vector<Op> result;
        for (const Op &op : ops)
            if (op.kind == Op::Text)
                result.push_back(op);
        return result;
    }
    std::vector<Op> lines() const
    {
        std::vector<Op> result;
        for (const Op &op : ops)
            if (op.kind == Op::Line)
                result.push_back(op);
        return result;
    }

private:
    static Op make(Op::Kind kind, float x1, float y1, float x2, float y2)
    {
        Op op;
        op.kind = kind;
        op.x1 = x1;
        op.y1 = y1;
        op.x2 = x2;
        op.y2 = y2;
        return op;
    }

    int m_points = 12;
    int m_lineWidth = 0;
};

} // namespace quiren::test
