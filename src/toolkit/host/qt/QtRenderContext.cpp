#include "toolkit/host/qt/QtRenderContext.h"

#include <QFontMetrics>
#include <QPainterPath>

namespace DuiLib {

namespace {
QRect ToQRect(const RECT& rc) { return QRect(rc.left, rc.top, rc.Width(), rc.Height()); }
}  // namespace

QFont ToQFont(const TFontInfo& info) {
    QFont font(QString::fromStdString(info.name));
    font.setPixelSize(std::max(1, info.size));
    font.setBold(info.bold);
    font.setItalic(info.italic);
    font.setUnderline(info.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QColor ToQColor(ARGB c) { return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF); }

QtRenderContext::QtRenderContext(QPainter& painter) : m_painter(painter) {
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void QtRenderContext::PushClip(const RECT& rc) {
    m_painter.save();
    m_painter.setClipRect(ToQRect(rc), m_painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void QtRenderContext::PopClip() { m_painter.restore(); }

void QtRenderContext::FillRect(const RECT& rc, ARGB color) { m_painter.fillRect(ToQRect(rc), ToQColor(color)); }

void QtRenderContext::FillRoundRect(const RECT& rc, int radius, ARGB color) {
    m_painter.save();
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawRoundedRect(QRectF(ToQRect(rc)), radius, radius);
    m_painter.restore();
}

void QtRenderContext::DrawRect(const RECT& rc, int width, ARGB color) {
    m_painter.save();
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    double half = width / 2.0;
    m_painter.drawRect(QRectF(rc.left + half, rc.top + half, rc.Width() - width, rc.Height() - width));
    m_painter.restore();
}

void QtRenderContext::DrawLine(POINT from, POINT to, int width, ARGB color) {
    m_painter.save();
    QPen pen(ToQColor(color));
    pen.setWidthF(width);
    pen.setCapStyle(Qt::RoundCap);
    m_painter.setPen(pen);
    m_painter.drawLine(QPointF(from.x + 0.5, from.y + 0.5), QPointF(to.x + 0.5, to.y + 0.5));
    m_painter.restore();
}

void QtRenderContext::DrawImage(const IHostImage& hostImage, const RECT& dest, const RECT& source, const RECT& corner,
                                uint8_t alpha) {
    const auto* qt = dynamic_cast<const QtHostImage*>(&hostImage);
    if (!qt || dest.IsEmpty() || source.IsEmpty()) return;
    const QImage& image = qt->image();
    m_painter.save();
    m_painter.setOpacity(alpha / 255.0);
    if (corner.left == 0 && corner.top == 0 && corner.right == 0 && corner.bottom == 0) {
        m_painter.drawImage(QRectF(ToQRect(dest)), image, QRectF(ToQRect(source)));
    } else {
        // Nine pieces: the corners keep their size, the edges stretch one way, the middle both.
        int sx[4] = {source.left, source.left + corner.left, source.right - corner.right, source.right};
        int sy[4] = {source.top, source.top + corner.top, source.bottom - corner.bottom, source.bottom};
        int dx[4] = {dest.left, dest.left + corner.left, dest.right - corner.right, dest.right};
        int dy[4] = {dest.top, dest.top + corner.top, dest.bottom - corner.bottom, dest.bottom};
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                QRect s(sx[c], sy[r], sx[c + 1] - sx[c], sy[r + 1] - sy[r]);
                QRect d(dx[c], dy[r], dx[c + 1] - dx[c], dy[r + 1] - dy[r]);
                if (s.width() > 0 && s.height() > 0 && d.width() > 0 && d.height() > 0) m_painter.drawImage(d, image, s);
            }
        }
    }
    m_painter.restore();
}

void QtRenderContext::DrawText(const RECT& rc, std::string_view text, const TFontInfo& font, ARGB color, UINT style) {
    if (text.empty() || rc.IsEmpty()) return;
    QFont qfont = ToQFont(font);
    m_painter.save();
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(color));
    int flags = (style & DT_CENTER) ? Qt::AlignHCenter : (style & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft;
    flags |= (style & DT_VCENTER) ? Qt::AlignVCenter : (style & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop;
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    QRect box = ToQRect(rc);
    if ((style & DT_WORDBREAK) && !(style & DT_SINGLELINE)) {
        flags |= Qt::TextWordWrap;
    } else {
        flags |= Qt::TextSingleLine;
        if (style & DT_END_ELLIPSIS) s = QFontMetrics(qfont).elidedText(s, Qt::ElideRight, box.width());
    }
    m_painter.drawText(box, flags, s);
    m_painter.restore();
}

}  // namespace DuiLib
