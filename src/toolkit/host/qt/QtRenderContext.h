#pragma once
// Drawing for the toolkit with a QPainter: anti-aliased shapes and text, end ellipsis,
// word wrap, and images scaled from a source rectangle with unscaled corners.

#include <QFont>
#include <QImage>
#include <QPainter>

#include "toolkit/Host.h"

namespace DuiLib {

class QtHostImage : public IHostImage {
public:
    explicit QtHostImage(QImage image) : m_image(std::move(image)) {}
    int Width() const override { return m_image.width(); }
    int Height() const override { return m_image.height(); }
    const QImage& image() const { return m_image; }

private:
    QImage m_image;
};

QFont ToQFont(const TFontInfo& font);
QColor ToQColor(ARGB color);

class QtRenderContext : public IRenderContext {
public:
    explicit QtRenderContext(QPainter& painter);
    void PushClip(const RECT& rc) override;
    void PopClip() override;
    void FillRect(const RECT& rc, ARGB color) override;
    void FillRoundRect(const RECT& rc, int radius, ARGB color) override;
    void DrawRect(const RECT& rc, int width, ARGB color) override;
    void DrawLine(POINT from, POINT to, int width, ARGB color) override;
    void DrawImage(const IHostImage& image, const RECT& dest, const RECT& source, const RECT& corner,
                   uint8_t alpha) override;
    void DrawText(const RECT& rc, std::string_view text, const TFontInfo& font, ARGB color, UINT style) override;

private:
    QPainter& m_painter;
};

}  // namespace DuiLib
