#include <zelt/view/RowFormats.h>

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zelt::view {
namespace {

constexpr RowFormats::Format kPlain = 7;

// A cell-by-cell model of the same operations: what the shared layouts must
// always read back as.
using Model = std::vector<std::vector<RowFormats::Format>>;

void expectSame(const RowFormats& formats, const Model& model)
{
    ASSERT_EQ(formats.rows(), static_cast<int>(model.size()));
    for (int r = 0; r < formats.rows(); ++r)
        for (int c = 0; c < formats.cols(); ++c)
            ASSERT_EQ(formats.get(r, c), model[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                << "row " << r << " col " << c;
}

TEST(RowFormats, RowsWithTheSameFormatsShareOneLayout)
{
    RowFormats formats(26, kPlain);
    formats.setRows(100000);
    for (int r = 0; r < formats.rows(); ++r) {
        formats.set(r, 12, 1);
        formats.set(r, 13, 1);
        if (r % 3 == 0)
            for (int c = 0; c < 20; ++c) formats.set(r, c, 99); // shaded lines pass through 20 layouts
    }
    EXPECT_EQ(formats.layouts(), 3u); // default, aligned, aligned and shaded
    EXPECT_LT(formats.memoryBytes(), 100000 * sizeof(std::uint32_t) + 64 * 1024);
    EXPECT_EQ(formats.get(3, 5), 99u);
    EXPECT_EQ(formats.get(4, 5), kPlain);
    EXPECT_EQ(formats.get(4, 13), 1u);
}

// Random edits, row insertions and removals, resizes and column changes
// against the model: sharing, reuse of freed layouts and the change cache
// never show through.
TEST(RowFormats, ReadsBackAsACellByCellModelUnderRandomChanges)
{
    std::mt19937 random(20261207);
    RowFormats formats(5, kPlain);
    Model model;
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    for (int step = 0; step < 20000; ++step) {
        const int cols = formats.cols();
        const int rows = formats.rows();
        switch (pick(10)) {
        case 0:
            if (rows < 60) {
                const int at = pick(rows + 1);
                formats.insertRows(at, 1);
                model.insert(model.begin() + at, std::vector<RowFormats::Format>(static_cast<std::size_t>(cols), kPlain));
            }
            break;
        case 1:
            if (rows > 0) {
                const int at = pick(rows);
                formats.removeRow(at);
                model.erase(model.begin() + at);
            }
            break;
        case 2: {
            const int n = pick(40);
            formats.setRows(n);
            model.resize(static_cast<std::size_t>(n), std::vector<RowFormats::Format>(static_cast<std::size_t>(cols), kPlain));
            break;
        }
        case 3:
            if (step % 50 != 0) break;
            formats.setCols(1 + pick(7));
            for (auto& row : model) row.resize(static_cast<std::size_t>(formats.cols()), kPlain);
            break;
        default:
            if (rows > 0) {
                const int r = pick(rows);
                const int c = pick(cols);
                const RowFormats::Format f = static_cast<RowFormats::Format>(pick(4)) + kPlain; // few values: rows collide often
                formats.set(r, c, f);
                model[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = f;
            }
        }
        if (step % 97 == 0) expectSame(formats, model);
    }
    expectSame(formats, model);
    formats.reset(3);
    expectSame(formats, Model(3, std::vector<RowFormats::Format>(static_cast<std::size_t>(formats.cols()), kPlain)));
    EXPECT_EQ(formats.layouts(), 1u);
}

} // namespace
} // namespace zelt::view
