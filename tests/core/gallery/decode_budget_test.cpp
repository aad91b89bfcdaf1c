#include "gallery/decode_budget.h"

#include <gtest/gtest.h>

#include <string>

#include "jpeg_fixtures.h"

namespace wexbo {
namespace {

const unsigned char* Bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

TEST(JpegFrameTest, ReadsSizeKindAndSamplingFromTheHeader) {
    const std::string baseline = test::MakeJpeg(test::Solid(64, 48, test::kRed));
    JpegFrame frame;
    ASSERT_EQ(FindJpegFrame(Bytes(baseline), baseline.size(), frame), FrameSearch::kFound);
    EXPECT_EQ(frame.width, 64);
    EXPECT_EQ(frame.height, 48);
    EXPECT_FALSE(frame.progressive);
    EXPECT_EQ(frame.components, 3);
    EXPECT_EQ(frame.sampling[0][0], 2);
    EXPECT_EQ(frame.sampling[1][1], 1);

    const std::string progressive =
        test::MakeJpeg(test::Solid(64, 48, test::kRed), test::JpegKind::Progressive);
    ASSERT_EQ(FindJpegFrame(Bytes(progressive), progressive.size(), frame), FrameSearch::kFound);
    EXPECT_TRUE(frame.progressive);
}

TEST(JpegFrameTest, AsksForMoreBytesOrGivesUp) {
    const std::string jpeg = test::MakeJpeg(test::Solid(64, 48, test::kRed));
    JpegFrame frame;
    EXPECT_EQ(FindJpegFrame(Bytes(jpeg), 20, frame), FrameSearch::kNeedMore);  // inside the tables
    const std::string text = "not a picture at all";
    EXPECT_EQ(FindJpegFrame(Bytes(text), text.size(), frame), FrameSearch::kNone);
}

TEST(DecodeShareTest, OnlyProgressiveFilesNeedCoefficientsAtFullResolution) {
    JpegFrame frame;
    frame.width = 5120;
    frame.height = 2880;
    frame.components = 3;
    for (auto& factors : frame.sampling) factors[0] = factors[1] = 1;
    // Needed 450 of 2880: the decode at 2/8 gives 1280 × 720.
    const std::uint64_t decoded = 1280ull * 720 * 3;
    EXPECT_EQ(DecodeShareOf(frame, 1000, 450).coefficients, 0u);
    EXPECT_EQ(DecodeShareOf(frame, 1000, 450).pixels, 1000 + 3 * decoded);

    frame.progressive = true;
    EXPECT_EQ(DecodeShareOf(frame, 1000, 450).coefficients, 640ull * 360 * 128 * 3);
    frame.sampling[0][0] = frame.sampling[0][1] = 2;  // 4:2:0, colour at a quarter of the blocks
    EXPECT_EQ(DecodeShareOf(frame, 1000, 450).coefficients, 640ull * 360 * 128 * 3 / 2);
}

TEST(DecodeBudgetTest, ALargeProgressiveDecodeHoldsBackOnlyProgressiveOnes) {
    DecodeBudget budget(100, 1000);
    const DecodeShare large{10, 900}, progressive{10, 200}, ordinary{10, 0};
    ASSERT_TRUE(budget.TryAcquire(large));
    EXPECT_TRUE(budget.TryAcquire(ordinary));
    EXPECT_FALSE(budget.TryAcquire(progressive));
    budget.Release(large);
    EXPECT_TRUE(budget.TryAcquire(progressive));
    EXPECT_TRUE(budget.TryAcquire(progressive));
}

TEST(DecodeBudgetTest, ADecodeBeyondTheLimitRunsAloneAmongItsKind) {
    DecodeBudget budget(100, 1000);
    const DecodeShare hugeFile{500, 0}, hugeProgressive{10, 5000}, small{10, 0};
    EXPECT_TRUE(budget.TryAcquire(hugeFile));
    EXPECT_FALSE(budget.TryAcquire(small));
    budget.Release(hugeFile);
    EXPECT_TRUE(budget.TryAcquire(hugeProgressive));
    EXPECT_FALSE(budget.TryAcquire(DecodeShare{10, 1}));
    EXPECT_TRUE(budget.TryAcquire(small));
}

// With 16 threads and the memory for it, 16 decodes of 24-MP camera pictures run at once; with
// little memory fewer do, but always at least one.
TEST(BudgetLimitsTest, EveryThreadGetsADecodeWhenMemoryAllows) {
    JpegFrame camera;
    camera.width = 6000;
    camera.height = 4000;
    camera.components = 3;
    camera.sampling[0][0] = camera.sampling[0][1] = 2;
    for (int c = 1; c < 3; ++c) camera.sampling[c][0] = camera.sampling[c][1] = 1;
    const DecodeShare share = DecodeShareOf(camera, 12ull << 20, 450);
    auto admitted = [&](unsigned jobs, std::uint64_t memory) {
        const BudgetLimits limits = BudgetLimitsFor(jobs, memory);
        DecodeBudget budget(limits.pixels, limits.coefficients);
        unsigned count = 0;
        while (count < 64 && budget.TryAcquire(share)) ++count;
        return count;
    };
    EXPECT_GE(admitted(16, 64ull << 30), 16u);
    EXPECT_GE(admitted(2, 64ull << 30), 2u);
    const unsigned small = admitted(16, 100ull << 20);
    EXPECT_GE(small, 1u);
    EXPECT_LE(small * share.pixels, std::max<std::uint64_t>(100ull << 20, share.pixels));
    EXPECT_EQ(admitted(16, 0), 1u);  // no memory to speak of: one at a time, never none
    // Two threads keep the limits small: peak memory on a small machine stays as it was.
    EXPECT_EQ(BudgetLimitsFor(2, 64ull << 30).pixels, 40ull << 20);
    EXPECT_EQ(BudgetLimitsFor(2, 64ull << 30).coefficients, 128ull << 20);
}

// Pictures decoded whole (a phone's 12-MP HEIC) run one per thread where memory allows, and never
// hold back the JPEG decodes beside them.
TEST(BudgetLimitsTest, PicturesDecodedWholeRunOnePerThreadBesideTheJpegOnes) {
    const DecodeShare phone = FullDecodeShareOf(4032, 3024, 2ull << 20, 14);
    auto admitted = [&](unsigned jobs, std::uint64_t memory) {
        const BudgetLimits limits = BudgetLimitsFor(jobs, memory);
        DecodeBudget budget(limits.pixels, limits.coefficients, limits.whole);
        unsigned count = 0;
        while (count < 64 && budget.TryAcquire(phone)) ++count;
        return std::make_pair(count, budget.TryAcquire(DecodeShare{5ull << 20, 0, 0}));
    };
    EXPECT_EQ(admitted(2, 3ull << 30), std::make_pair(2u, true));
    EXPECT_GE(admitted(16, 64ull << 30).first, 16u);
    EXPECT_EQ(admitted(16, 400ull << 20).first, 1u);  // little memory: one at a time, never none
}

}  // namespace
}  // namespace wexbo
