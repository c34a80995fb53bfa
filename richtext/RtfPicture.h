// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>

#include <string_view>

namespace eh::rtf {

// The content of one \pict destination: its properties and its data, hex
// digits or \bin bytes. Only PNG and JPEG pictures are decoded; metafiles,
// device-dependent bitmaps and the like are left out of the document.
class RtfPicture {
public:
    enum class Format { Other, Png, Jpeg };

    void SetFormat(Format format) { format_ = format; }
    void SetGoalWidth(int twips) { goalWidth_ = twips; }
    void SetGoalHeight(int twips) { goalHeight_ = twips; }
    void SetScaleX(int percent) { scaleX_ = percent; }
    void SetScaleY(int percent) { scaleY_ = percent; }

    // Hex digits two per byte; anything else between them (line ends,
    // spaces) is ignored.
    void AppendHexDigits(std::string_view text);
    void AppendBinary(std::string_view bytes);

    // A null image when the picture is not PNG or JPEG, is broken, or has
    // more than kMaxRtfPicturePixels or `pixelsLeft` pixels.
    QImage Decode(qint64 pixelsLeft) const;

    // The size the picture is shown at, in pixels: the goal size (\picwgoal,
    // \pichgoal), or the image's own size where no goal is given, scaled by
    // \picscalex and \picscaley.
    QSizeF DisplaySize(const QImage& image) const;

private:
    Format format_ = Format::Other;
    int goalWidth_ = 0;
    int goalHeight_ = 0;
    int scaleX_ = 100;
    int scaleY_ = 100;
    QByteArray data_;
    int pendingNibble_ = -1;
};

} // namespace eh::rtf
