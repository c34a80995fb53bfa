// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures: PNG and JPEG data become images of the document at the size the
// file asks for; other pictures and broken data are left out.

#include "RtfLimits.h"
#include "RtfPicture.h"
#include "RtfTestSupport.h"

#include <QTextBlock>
#include <QTextImageFormat>
#include <QUrl>

#include <gtest/gtest.h>

namespace eh::test {
namespace {

QImage SampleImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(255, 102, 0));
    image.setPixelColor(0, 0, Qt::black);
    return image;
}

// The image formats of the document's pictures, in order.
std::vector<QTextImageFormat> ImageFormats(const QTextDocument& document)
{
    std::vector<QTextImageFormat> images;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                images.push_back(it.fragment().charFormat().toImageFormat());
        }
    }
    return images;
}

QImage ResourceImage(const QTextDocument& document, const QTextImageFormat& format)
{
    return document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
}

TEST(RtfPictureTest, PngBecomesAnImageAtItsGoalSize)
{
    const QImage image = SampleImage(3, 2);
    const auto document = ReadAccepted(
        Rtf("see {\\pict\\pngblip\\picw3\\pich2\\picwgoal300\\pichgoal150\n" + HexEncodedImage(image, "PNG") + "} here"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"see \uFFFC here"});
    const auto images = ImageFormats(*document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_DOUBLE_EQ(images[0].width(), 20);
    EXPECT_DOUBLE_EQ(images[0].height(), 10);
    const QImage stored = ResourceImage(*document, images[0]);
    ASSERT_EQ(stored.size(), QSize(3, 2));
    EXPECT_EQ(stored.pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(stored.pixelColor(2, 1), QColor(255, 102, 0));
}

TEST(RtfPictureTest, ScaleMultipliesTheGoalSize)
{
    const auto document = ReadAccepted(Rtf("{\\pict\\pngblip\\picscalex200\\picscaley50\\picwgoal180\\pichgoal120 " +
                                           HexEncodedImage(SampleImage(12, 8), "PNG") + "}"));
    const auto images = ImageFormats(*document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_DOUBLE_EQ(images[0].width(), 24);
    EXPECT_DOUBLE_EQ(images[0].height(), 4);
}

TEST(RtfPictureTest, WithoutGoalTheImageKeepsItsOwnSize)
{
    const auto document = ReadAccepted(Rtf("{\\pict\\pngblip " + HexEncodedImage(SampleImage(7, 5), "PNG") + "}"));
    const auto images = ImageFormats(*document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_DOUBLE_EQ(images[0].width(), 7);
    EXPECT_DOUBLE_EQ(images[0].height(), 5);
}

TEST(RtfPictureTest, JpegBecomesAnImage)
{
    const auto document = ReadAccepted(Rtf("{\\pict\\jpegblip " + HexEncodedImage(SampleImage(16, 8), "JPEG") + "}"));
    const auto images = ImageFormats(*document);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(ResourceImage(*document, images[0]).size(), QSize(16, 8));
}

TEST(RtfPictureTest, BinaryDataIsReadLikeHexData)
{
    QByteArray png = QByteArray::fromHex(HexEncodedImage(SampleImage(4, 4), "PNG"));
    const auto document =
        ReadAccepted(Rtf("{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png + "}after"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"\uFFFCafter"});
    ASSERT_EQ(ImageFormats(*document).size(), 1u);
}

TEST(RtfPictureTest, PictureInsideShppictIsShownAndNonshppictCopySkipped)
{
    const QByteArray hex = HexEncodedImage(SampleImage(2, 2), "PNG");
    const auto document = ReadAccepted(Rtf("a{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn wzName}{\\sv x}}}\\pngblip " + hex +
                                           "}}{\\nonshppict{\\pict\\wmetafile8 0100090000}}b"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"a\uFFFCb"});
    EXPECT_EQ(ImageFormats(*document).size(), 1u);
}

struct SkippedPictureCase {
    const char* name;
    QByteArray picture;
};

void PrintTo(const SkippedPictureCase& pictureCase, std::ostream* out) { *out << pictureCase.name; }

class RtfSkippedPictureTest : public testing::TestWithParam<SkippedPictureCase> {};

TEST_P(RtfSkippedPictureTest, LeavesOnlyTheTextAround)
{
    const auto document = ReadAccepted(Rtf("a" + GetParam().picture + "b"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"ab"});
    EXPECT_TRUE(ImageFormats(*document).empty());
}

INSTANTIATE_TEST_SUITE_P(Kinds, RtfSkippedPictureTest, testing::Values(
    SkippedPictureCase{"wmetafile", "{\\pict\\wmetafile8\\picw10\\pich10 010009000003b202000010009e010000}"},
    SkippedPictureCase{"emf", "{\\pict\\emfblip 0100000084000000}"},
    SkippedPictureCase{"png_data_of_another_kind",
                       "{\\pict\\wmetafile8 " + HexEncodedImage(SampleImage(2, 2), "PNG") + "}"},
    SkippedPictureCase{"broken_png", "{\\pict\\pngblip 89504e470d0a1a0a00000000deadbeef}"},
    SkippedPictureCase{"truncated_png", "{\\pict\\pngblip " + HexEncodedImage(SampleImage(20, 20), "PNG").left(80) + "}"},
    SkippedPictureCase{"odd_hex_digit_count", "{\\pict\\pngblip 89504e4}"},
    SkippedPictureCase{"empty", "{\\pict\\pngblip}"}));

TEST(RtfPictureTest, ImageLargerThanTheLimitIsNotDecoded)
{
    // A small PNG file may announce a huge image; 4100 x 4100 pixels is over
    // the limit, and is stored here in a few kilobytes as one-bit pixels.
    QImage huge(4100, 4100, QImage::Format_Mono);
    huge.fill(0);
    ASSERT_GT(static_cast<qint64>(huge.width()) * huge.height(), kMaxRtfPicturePixels);
    const auto document = ReadAccepted(Rtf("a{\\pict\\pngblip " + HexEncodedImage(huge, "PNG") + "}b"));
    EXPECT_EQ(BlockTexts(*document), QStringList{"ab"});
}

TEST(RtfPictureTest, PicturesOfADocumentShareAPixelBudget)
{
    // Each 3000 x 3000 picture is within the limit of one picture; the
    // fourth would take the document beyond its budget.
    QImage large(3000, 3000, QImage::Format_Mono);
    large.fill(1);
    ASSERT_LE(3 * 3000LL * 3000, kMaxRtfDocumentPixels);
    ASSERT_GT(4 * 3000LL * 3000, kMaxRtfDocumentPixels);
    const QByteArray picture = "{\\pict\\pngblip " + HexEncodedImage(large, "PNG") + "}";
    const auto document = ReadAccepted(Rtf(picture + picture + picture + picture));
    EXPECT_EQ(ImageFormats(*document).size(), 3u);
}

} // namespace
} // namespace eh::test
