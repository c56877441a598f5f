#include "score_order.h"

#include <utility>

void ScoreOrder::reset()
{
    for (int i = 0; i < Rows; ++i)
        m_order[i] = i + 1;
}

void ScoreOrder::sort(const std::function<std::optional<int>(int slot)>& totalOf)
{
    for (int pass = 0; pass < Rows; ++pass) {
        for (int i = 1; i < Rows; ++i) {
            const auto above = totalOf(m_order[i - 1]);
            const auto below = totalOf(m_order[i]);
            if (above && below && *below > *above)
                std::swap(m_order[i - 1], m_order[i]);
        }
    }
}
