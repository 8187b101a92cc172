// The cell store against a plain table of strings: random edits of every kind
// (same-length texts written in place, longer and shorter ones, cells emptied,
// rows inserted and removed, columns added and dropped) must leave both the
// same after every step.
#include "zelt/view/CellStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using zelt::view::CellStore;

namespace {

using Table = std::vector<std::vector<std::string>>;

std::string randomText(std::mt19937& random)
{
    switch (random() % 5) {
    case 0: return random() % 40 == 0 ? std::string(70000, 'w') : ""; // now and then a row past 65,535 characters
    case 1: return std::to_string(random() % 100);
    case 2: return std::string(random() % 40, static_cast<char>('a' + random() % 26));
    case 3: return "\xC3\xBE"; // the exempt mark, two bytes
    default: return std::string(1, '\0') + "x"; // texts may hold NUL
    }
}

void expectSame(const CellStore& store, const Table& table, int step)
{
    ASSERT_EQ(store.rows(), static_cast<int>(table.size())) << "step " << step;
    for (int r = 0; r < store.rows(); ++r)
        for (int c = 0; c < store.cols(); ++c)
            ASSERT_EQ(store.text(r, c), table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)])
                << "step " << step << " row " << r << " col " << c;
}

} // namespace

TEST(CellStore, MatchesATableOfStringsThroughRandomEdits)
{
    std::mt19937 random(12);
    int cols = 5;
    CellStore store(cols);
    Table table;
    auto at = [&table](int r, int c) -> std::string& { return table[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
    for (int step = 0; step < 5000; ++step) {
        const int rows = store.rows();
        const int row = rows > 0 ? static_cast<int>(random() % static_cast<unsigned>(rows)) : 0;
        const int col = static_cast<int>(random() % static_cast<unsigned>(cols));
        switch (random() % 9) {
        case 0: case 1: case 2: {
            if (rows == 0) break;
            std::string text = randomText(random);
            if (random() % 2) text.resize(at(row, col).size(), 'z'); // half the time the length of the text it replaces
            store.setText(row, col, text);
            at(row, col) = text;
            break;
        }
        case 3: {
            std::vector<std::string> texts(static_cast<std::size_t>(cols));
            for (auto& t : texts) t = randomText(random);
            const std::vector<std::string_view> views(texts.begin(), texts.end());
            store.appendRow(views.data(), views.size());
            table.push_back(texts);
            break;
        }
        case 4:
            store.insertRows(row, 2);
            table.insert(table.begin() + row, 2, std::vector<std::string>(static_cast<std::size_t>(cols)));
            break;
        case 5:
            if (rows == 0) break;
            store.removeRow(row);
            table.erase(table.begin() + row);
            break;
        case 6: { // a cell copied from another cell of the same row
            if (rows == 0) break;
            const int from = static_cast<int>(random() % static_cast<unsigned>(cols));
            store.setText(row, col, store.text(row, from));
            at(row, col) = at(row, from);
            break;
        }
        case 7:
            cols = 1 + static_cast<int>(random() % 7);
            store.setCols(cols);
            for (auto& line : table) line.resize(static_cast<std::size_t>(cols));
            break;
        case 8:
            if (random() % 10 == 0) {
                store.clearTexts();
                for (auto& line : table) std::fill(line.begin(), line.end(), std::string());
            } else {
                const int n = static_cast<int>(random() % 12);
                store.setRows(n);
                table.resize(static_cast<std::size_t>(n), std::vector<std::string>(static_cast<std::size_t>(cols)));
            }
            break;
        }
        expectSame(store, table, step);
        if (HasFatalFailure()) return;
    }
}

TEST(CellStore, AnEmptyRowHoldsNoBlock)
{
    CellStore store(22);
    store.setRows(1000);
    const std::size_t empty = store.memoryBytes();
    EXPECT_LE(empty, 1000 * sizeof(void*) + 64);
    store.setText(3, 21, "12.50");
    EXPECT_EQ(store.memoryBytes(), empty + 22 * 1 + 5) << "one-byte offsets in a short row";
    // Each width up to the last length it holds, and one past it.
    for (const auto& [length, width] : std::vector<std::pair<std::size_t, std::size_t>>{
             {250, 1}, {251, 2}, {65530, 2}, {65531, 4}, {70000, 4}}) {
        store.setText(3, 0, std::string(length, 'x'));
        EXPECT_EQ(store.memoryBytes(), empty + 22 * width + length + 5) << length;
        EXPECT_EQ(store.text(3, 0).size(), length);
        EXPECT_EQ(store.text(3, 21), "12.50") << length;
    }
    store.setText(3, 0, "");
    store.setText(3, 21, "");
    EXPECT_EQ(store.memoryBytes(), empty) << "a row emptied again gives its block back";
}
