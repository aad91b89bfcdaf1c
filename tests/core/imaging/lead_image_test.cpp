#include "imaging/lead_image.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "imaging/libjpeg.h"
#include "jpeg_fixtures.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

namespace wexbo {
namespace {

using test::At;
using test::MakeJpeg;
using test::Near;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// The error an operation raises, with the component's result code afterwards.
struct Raised {
    std::string message;
    int code = kLeadSuccess;
    int lastResult = kLeadSuccess;
};

Raised Catch(TLEADImage& image, const std::function<void()>& operation) {
    Raised raised;
    try {
        operation();
    } catch (const ELeadImageError& e) {
        raised.message = e.what();
        raised.code = e.Code();
    }
    raised.lastResult = image.LastResult();
    return raised;
}

// ---- an empty component ----

struct EmptyCase {
    const char* operation;
    std::function<void(TLEADImage&)> call;
};

class EmptyComponentTest : public ::testing::TestWithParam<EmptyCase> {};

TEST_P(EmptyComponentTest, FailsWithCodeMinusTwoAndNamesTheOperation) {
    TempDir dir;
    TLEADImage image("ThumbImage");
    const Raised raised = Catch(image, [&] { GetParam().call(image); });
    EXPECT_EQ(raised.code, kLeadNoPicture);
    EXPECT_EQ(raised.lastResult, -2);
    EXPECT_EQ(raised.message, std::string("ThumbImage \n") + GetParam().operation + ": Image not allocated.");
    EXPECT_TRUE(fs::is_empty(dir.Path()));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, EmptyComponentTest,
    ::testing::Values(EmptyCase{"Save",
                                [](TLEADImage& i) { i.Save("/tmp/wexbo-never-written.jpg", 23, 24, 4, 0); }},
                      EmptyCase{"Size", [](TLEADImage& i) { i.Size(10, 10, 4); }},
                      EmptyCase{"Rotate", [](TLEADImage& i) { i.Rotate(9000, 1, kLeadWhite); }},
                      EmptyCase{"Flip", [](TLEADImage& i) { i.Flip(); }},
                      EmptyCase{"Reverse", [](TLEADImage& i) { i.Reverse(); }},
                      EmptyCase{"Fill", [](TLEADImage& i) { i.Fill(0); }},
                      EmptyCase{"SetRgnRect", [](TLEADImage& i) { i.SetRgnRect(0, 0, 1, 1, 1); }},
                      EmptyCase{"DrawShape", [](TLEADImage& i) { i.DrawShape(2000); }}),
    [](const auto& info) { return std::string(info.param.operation); });

TEST(LeadErrorTextTest, OwnTableAndUndefinedCodes) {
    EXPECT_EQ(LeadErrorText(kLeadFileNotFound), "File not found");
    EXPECT_EQ(LeadErrorText(-2), "No picture loaded");
    EXPECT_EQ(LeadErrorText(-999), "Undefined Error: -999");
    EXPECT_EQ(LeadErrorText(77), "Undefined Error: 77");
}

// ---- files that cannot be loaded ----

struct BadFileCase {
    const char* name;
    std::function<std::string(const std::string& goodJpeg)> content;  // written to the file
    int code;
};

class BadFileTest : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadFileTest, RaisesTheLoadErrorAndLeavesTheComponentEmpty) {
    TempDir dir;
    const std::string good = MakeJpeg(test::PhotoLike(320, 240), test::JpegKind::Baseline);
    const std::string file = dir / "picture.jpg";
    WriteFile(file, GetParam().content(good));
    TLEADImage image;
    image.SetPicture(test::Solid(8, 8, test::kRed));  // an earlier picture must not survive
    const Raised raised = Catch(image, [&] { image.Load(file, 0, 1, -1); });
    EXPECT_EQ(raised.code, GetParam().code);
    EXPECT_EQ(raised.lastResult, GetParam().code);
    EXPECT_EQ(raised.message, "LEADImage1 \nError code: " + std::to_string(GetParam().code) +
                                  "\nLoad: " + LeadErrorText(GetParam().code) + " ");
    EXPECT_FALSE(image.HasPicture());
    EXPECT_EQ(Catch(image, [&] { image.Save(dir / "out.jpg"); }).code, kLeadNoPicture);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFileCase{"Empty", [](const std::string&) { return std::string(); }, kLeadUnknownFormat},
        BadFileCase{"Text", [](const std::string&) { return std::string("GIF89a not a jpeg at all"); },
                    kLeadUnknownFormat},
        BadFileCase{"HeaderOnly", [](const std::string& g) { return g.substr(0, 200); }, kLeadCorruptFile},
        BadFileCase{"TruncatedHalf", [](const std::string& g) { return g.substr(0, g.size() / 2); },
                    kLeadCorruptFile},
        BadFileCase{"NoEndMarker", [](const std::string& g) { return g.substr(0, g.size() - 2); },
                    kLeadCorruptFile},
        BadFileCase{"GarbageInHeader",
                    [](const std::string& g) {
                        std::string bad = g;
                        for (std::size_t i = 20; i < 120; ++i) bad[i] = static_cast<char>(0xFF - i);
                        return bad;
                    },
                    kLeadCorruptFile}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadTest, MissingFileAndFolderGiveFileErrors) {
    TempDir dir;
    TLEADImage image;
    EXPECT_EQ(Catch(image, [&] { image.Load(dir / "missing.jpg"); }).code, kLeadFileNotFound);
    EXPECT_EQ(Catch(image, [&] { image.Load(dir / "missing/deeper.jpg"); }).code, kLeadFileNotFound);
    fs::create_directory(dir / "folder.jpg");
    EXPECT_EQ(Catch(image, [&] { image.Load(dir / "folder.jpg"); }).code, kLeadFileRead);
}

TEST(LoadTest, DamagedEntropyDataIsAnErrorNotAGreyPicture) {
    TempDir dir;
    std::string bytes = MakeJpeg(test::PhotoLike(256, 256), test::JpegKind::Baseline);
    // Overwrite the middle of the entropy-coded data with marker bytes.
    for (std::size_t i = bytes.size() / 2; i < bytes.size() / 2 + 64; ++i) bytes[i] = static_cast<char>(0xFF);
    WriteFile(dir / "bad.jpg", bytes);
    TLEADImage image;
    EXPECT_EQ(Catch(image, [&] { image.Load(dir / "bad.jpg"); }).code, kLeadCorruptFile);
}

TEST(LoadTest, SkipsLongRunsOfUnusedMarkersAcrossReadBlocks) {
    TempDir dir;
    const std::string jpeg =
        MakeJpeg(test::Quadrants(64, 48, test::kRed, test::kGreen, test::kBlue, test::kWhite));
    // Seven 60000-byte APP13 segments (as photo editors write): 420 kB the loader skips unread. They
    // are full of end markers, so a skip that lands inside one ends the picture.
    std::string segments;
    for (int i = 0; i < 7; ++i) {
        constexpr int length = 60000;
        segments += "\xFF\xED";
        segments += static_cast<char>(length >> 8);
        segments += static_cast<char>(length & 0xFF);
        for (int k = 0; k < (length - 2) / 2; ++k) segments += "\xFF\xD9";
    }
    WriteFile(dir / "p.jpg", jpeg.substr(0, 2) + segments + jpeg.substr(2));
    TLEADImage image;
    image.Load(dir / "p.jpg");
    EXPECT_EQ(image.Width(), 64);
    EXPECT_PRED3(Near, At(*image.Snapshot(), 60, 44), test::kWhite, 24);
}

// ---- the kinds of JPEG the loader reads ----

struct KindCase {
    const char* name;
    test::JpegKind kind;
};

class JpegKindTest : public ::testing::TestWithParam<KindCase> {};

TEST_P(JpegKindTest, LoadsAsRgbWithTheRightColours) {
    TempDir dir;
    const bool grey = GetParam().kind == test::JpegKind::Grey;
    const Rgb tr = grey ? Rgb{200, 200, 200} : test::kGreen;
    const Rgb bl = grey ? Rgb{60, 60, 60} : test::kBlue;
    WriteFile(dir / "p.jpg",
              MakeJpeg(test::Quadrants(64, 48, test::kWhite, tr, bl, test::kBlack), GetParam().kind));
    TLEADImage image;
    image.Load(dir / "p.jpg");
    EXPECT_EQ(image.LastResult(), kLeadSuccess);
    ASSERT_EQ(image.Width(), 64);
    ASSERT_EQ(image.Height(), 48);
    const auto pic = image.Snapshot();
    EXPECT_PRED3(Near, At(*pic, 8, 8), test::kWhite, 24);
    EXPECT_PRED3(Near, At(*pic, 56, 8), tr, 24);
    EXPECT_PRED3(Near, At(*pic, 8, 40), bl, 24);
    EXPECT_PRED3(Near, At(*pic, 56, 40), test::kBlack, 24);
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegKindTest,
                         ::testing::Values(KindCase{"Baseline", test::JpegKind::Baseline},
                                           KindCase{"Progressive", test::JpegKind::Progressive},
                                           KindCase{"Greyscale", test::JpegKind::Grey},
                                           KindCase{"AdobeCmyk", test::JpegKind::AdobeCmyk},
                                           KindCase{"AdobeYcck", test::JpegKind::AdobeYcck}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- saving ----

// Sampling factors of the first component and the first luminance quantiser of a JPEG file.
struct JpegHeader {
    int components, hSamp, vSamp, firstQuant;
    bool hasExif;
};

JpegHeader ReadHeader(const std::string& bytes) {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr err{};
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    jpeg_save_markers(&cinfo, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&cinfo, TRUE);
    JpegHeader h{cinfo.num_components, cinfo.comp_info[0].h_samp_factor, cinfo.comp_info[0].v_samp_factor,
                 cinfo.quant_tbl_ptrs[0] ? cinfo.quant_tbl_ptrs[0]->quantval[0] : -1,
                 cinfo.marker_list != nullptr};
    jpeg_destroy_decompress(&cinfo);
    return h;
}

TEST(SaveTest, WritesA422JpegAtQuality95ThatLoadsBack) {
    TempDir dir;
    TLEADImage image;
    image.SetPicture(test::Quadrants(40, 30, test::kRed, test::kGreen, test::kBlue, test::kWhite));
    image.Save(dir / "out.jpg", 23, 24, 4, 0);
    EXPECT_EQ(image.LastResult(), kLeadSuccess);
    const JpegHeader h = ReadHeader(ReadFile(dir / "out.jpg"));
    EXPECT_EQ(h.components, 3);
    EXPECT_EQ(h.hSamp, 2);
    EXPECT_EQ(h.vSamp, 1);
    EXPECT_EQ(h.firstQuant, 2);  // luminance DC quantiser of quality 95 (16 × 10 %)
    TLEADImage back;
    back.Load(dir / "out.jpg");
    EXPECT_EQ(back.Width(), 40);
    EXPECT_EQ(back.Height(), 30);
    EXPECT_PRED3(Near, At(*back.Snapshot(), 5, 5), test::kRed, 24);
    EXPECT_PRED3(Near, At(*back.Snapshot(), 35, 25), test::kWhite, 24);
}

TEST(SaveTest, ReplacesAnExistingFileWithoutLeavingTemporaryFiles) {
    TempDir dir;
    WriteFile(dir / "p.jpg", "old content");
    TLEADImage image;
    image.SetPicture(test::Solid(16, 16, test::kBlue));
    image.Save(dir / "p.jpg");
    EXPECT_EQ(ReadHeader(ReadFile(dir / "p.jpg")).components, 3);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.Path())) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(SaveTest, AFileWhereTheFolderShouldBeFailsAndKeepsThePicture) {
    TempDir dir;
    WriteFile(dir / "album", "a file, not a folder");
    TLEADImage image("Preview");
    image.SetPicture(test::Solid(16, 16, test::kBlue));
    const Raised raised = Catch(image, [&] { image.Save(dir / "album/p.jpg", 23, 24, 4, 0); });
    EXPECT_EQ(raised.code, kLeadFileWrite);
    EXPECT_EQ(raised.lastResult, kLeadFileWrite);
    EXPECT_EQ(raised.message, "Preview \nError code: -6\nSave: The file cannot be written ");
    EXPECT_TRUE(image.HasPicture());
    EXPECT_EQ(ReadFile(dir / "album"), "a file, not a folder");
}

TEST(SaveTest, OnlyJpegFormatAndDepthsAreOffered) {
    TempDir dir;
    TLEADImage image;
    image.SetPicture(test::Solid(8, 8, test::kBlue));
    EXPECT_EQ(Catch(image, [&] { image.Save(dir / "p.png", 5, 24, 4, 0); }).code, kLeadUnsupportedFormat);
    EXPECT_EQ(Catch(image, [&] { image.Save(dir / "p.jpg", 23, 16, 4, 0); }).code, kLeadUnsupportedFormat);
    image.Save(dir / "grey.jpg", 23, 8, 4, 0);
    EXPECT_EQ(ReadHeader(ReadFile(dir / "grey.jpg")).components, 1);
}

// An ICC profile of `size` bytes whose header names the colour space (bytes 16 to 19).
std::string Profile(std::size_t size, const char* colourSpace) {
    std::string profile(size, '\0');
    for (std::size_t i = 0; i < profile.size(); ++i) profile[i] = static_cast<char>(i * 7 + 3);
    profile.replace(16, 4, colourSpace);
    return profile;
}

TEST(IccProfileTest, KeptOnLoadAndWrittenByEverySaveEvenWhenLarge) {
    TempDir dir;
    const std::string profile = Profile(150000, "RGB ");  // needs three APP2 markers
    TLEADImage image;
    image.SetPicture(test::PhotoLike(64, 48), profile);
    image.Save(dir / "a.jpg");
    TLEADImage loaded;
    loaded.Load(dir / "a.jpg");
    EXPECT_EQ(loaded.IccProfile(), profile);
    loaded.Rotate(9000);
    loaded.Size(20, 30);
    loaded.Save(dir / "b.jpg");
    TLEADImage again;
    again.LoadForSize(dir / "b.jpg", 0, 10);
    EXPECT_EQ(again.IccProfile(), profile);
    // A picture without a profile gets none.
    again.SetPicture(test::Solid(8, 8, test::kRed));
    again.Save(dir / "c.jpg");
    loaded.Load(dir / "c.jpg");
    EXPECT_EQ(loaded.IccProfile(), "");
}

TEST(IccProfileTest, AProfileForAnotherColourSpaceIsDroppedWithTheConversionToRgb) {
    TempDir dir;
    // A profile for CMYK, as CMYK files carry: the loaded picture is RGB, the profile would lie about it.
    TLEADImage writer;
    writer.SetPicture(test::PhotoLike(32, 24), Profile(600, "CMYK"));
    writer.Save(dir / "cmyk_profile.jpg");
    TLEADImage image;
    image.Load(dir / "cmyk_profile.jpg");
    EXPECT_EQ(image.IccProfile(), "");
    image.Save(dir / "out.jpg");
    EXPECT_EQ(ReadFile(dir / "out.jpg").find("ICC_PROFILE"), std::string::npos);
}

TEST(SnapshotTest, StaysUnchangedWhileTheComponentWorksOn) {
    TLEADImage image;
    image.SetPicture(test::Quadrants(20, 10, test::kRed, test::kBlue, test::kRed, test::kBlue));
    const auto before = image.Snapshot();
    const std::uint8_t* pixels = before->Data();
    image.Reverse();
    image.Fill(0x00FF00);  // green
    EXPECT_EQ(before->Data(), pixels);
    EXPECT_EQ(At(*before, 0, 0), test::kRed);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), test::kGreen);
    EXPECT_EQ(before->Stride() % 4, 0u);
    EXPECT_GE(before->Stride(), 60u);
}

TEST(SnapshotTest, TakenUpAgainItIsSharedUntilTheFirstChange) {
    TLEADImage image;
    image.SetPicture(test::Quadrants(20, 10, test::kRed, test::kBlue, test::kRed, test::kBlue));
    const auto start = image.Snapshot();
    image.Size(4, 2, kLeadSizeBicubic);
    image.SetPicture(start, "profile");
    EXPECT_EQ(image.Snapshot(), start);  // no copy
    EXPECT_EQ(image.IccProfile(), "profile");
    image.Size(20, 10, kLeadSizeBicubic);  // the size it has: nothing to do
    EXPECT_EQ(image.Snapshot(), start);
    image.Fill(0x00FF00);
    EXPECT_EQ(At(*start, 0, 0), test::kRed);
    EXPECT_EQ(At(*image.Snapshot(), 0, 0), test::kGreen);
}

TEST(ThreadTest, ComponentsOnSeveralThreadsGiveTheSameFilesAsOneAfterAnother) {
    TempDir dir;
    constexpr int kPictures = 6;
    for (int i = 0; i < kPictures; ++i)
        WriteFile(dir / ("in" + std::to_string(i) + ".jpg"),
                  MakeJpeg(test::PhotoLike(300 + 40 * i, 200 + 10 * i),
                           i % 2 ? test::JpegKind::Progressive : test::JpegKind::Baseline));
    auto work = [&](int i, const std::string& prefix) {
        TLEADImage image;
        image.LoadForSize(dir / ("in" + std::to_string(i) + ".jpg"), 0, 90);
        image.Size(120, 90);
        image.Rotate(27000);
        image.FramePicture(4, 0x102030, 0xFFFFFF);
        image.Save(dir / (prefix + std::to_string(i) + ".jpg"));
    };
    for (int i = 0; i < kPictures; ++i) work(i, "seq");
    std::vector<std::thread> threads;
    for (int i = 0; i < kPictures; ++i) threads.emplace_back(work, i, "par");
    for (auto& t : threads) t.join();
    for (int i = 0; i < kPictures; ++i) {
        const std::string seq = ReadFile(dir / ("seq" + std::to_string(i) + ".jpg"));
        EXPECT_FALSE(seq.empty());
        EXPECT_EQ(seq, ReadFile(dir / ("par" + std::to_string(i) + ".jpg"))) << i;
    }
}

}  // namespace
}  // namespace wexbo
