// The gap vector against a plain vector, over random inserts and erases anywhere.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/GapVector.h"

namespace {

TEST(GapVector, RandomEditsMatchAPlainVector) {
    std::mt19937 random(7);
    core::GapVector<int> gapped;
    std::vector<int> plain{1, 2, 3};
    gapped.Assign(std::vector<int>(plain));
    for (int step = 0; step < 20000; ++step) {
        const std::size_t at = random() % (plain.size() + 1);
        if (random() % 2 == 0 || plain.empty()) {
            const std::vector<int> values(random() % 90, step);
            gapped.Insert(at, values.data(), values.size());
            plain.insert(plain.begin() + static_cast<std::ptrdiff_t>(at), values.begin(),
                         values.end());
        } else if (at < plain.size()) {
            const std::size_t count = 1 + random() % (plain.size() - at);
            gapped.Erase(at, count);
            plain.erase(plain.begin() + static_cast<std::ptrdiff_t>(at),
                        plain.begin() + static_cast<std::ptrdiff_t>(at + count));
        }
        ASSERT_EQ(gapped.size(), plain.size());
        if (step % 97 == 0) {
            std::vector<int> seen;
            gapped.ForEach([&](int v) { seen.push_back(v); });
            ASSERT_EQ(seen, plain) << step;
            for (std::size_t i = 0; i < plain.size(); ++i)
                ASSERT_EQ(gapped[i], plain[i]) << step;
        }
    }
}

} // namespace
