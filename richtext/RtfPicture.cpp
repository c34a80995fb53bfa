// SPDX-License-Identifier: GPL-3.0-or-later
#include "RtfPicture.h"

#include "RtfFormats.h"
#include "RtfLimits.h"
#include "RtfTokenizer.h"

#include <QBuffer>
#include <QImageReader>

namespace eh::rtf {

namespace {

// One side of the shown picture: the goal length, or the image's own, scaled.
qreal DisplayLength(int goalTwips, int scalePercent, int imagePixels)
{
    const qreal scale = scalePercent > 0 ? scalePercent / 100.0 : 1.0;
    return (goalTwips > 0 ? TwipsToPixels(goalTwips) : imagePixels) * scale;
}

} // namespace

void RtfPicture::AppendHexDigits(std::string_view text)
{
    for (const char c : text) {
        const int value = HexDigitValue(c);
        if (value < 0)
            continue;
        if (pendingNibble_ < 0) {
            pendingNibble_ = value;
        } else {
            data_.append(static_cast<char>(pendingNibble_ * 16 + value));
            pendingNibble_ = -1;
        }
    }
}

void RtfPicture::AppendBinary(std::string_view bytes)
{
    data_.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QImage RtfPicture::Decode(qint64 pixelsLeft) const
{
    const char* format = nullptr;
    switch (format_) {
    case Format::Png:
        format = "png";
        break;
    case Format::Jpeg:
        format = "jpeg";
        break;
    case Format::Other:
        return {};
    }
    QBuffer buffer;
    buffer.setData(data_);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    const QSize size = reader.size();
    const qint64 pixels = static_cast<qint64>(size.width()) * size.height();
    if (!size.isValid() || pixels > kMaxRtfPicturePixels || pixels > pixelsLeft)
        return {};
    return reader.read();
}

QSizeF RtfPicture::DisplaySize(const QImage& image) const
{
    return {DisplayLength(goalWidth_, scaleX_, image.width()), DisplayLength(goalHeight_, scaleY_, image.height())};
}

} // namespace eh::rtf
