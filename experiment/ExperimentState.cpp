#include "experiment/ExperimentState.h"

namespace tarnelby {

namespace {

constexpr Integer kStartX = 2000;
constexpr Integer kStartY = 2000;

} // namespace

void resetExperiment(ExperimentState& state) noexcept
{
    state.CurX = kStartX;
    state.CurY = kStartY;
    state.DotCount = 0;
    state.PointCount = 0;
}

void storePoint(ExperimentState& state, int row, Single x, Single y)
{
    const Integer storedX = CInt(x);
    const Integer storedY = CInt(y);
    state.pointX(row) = storedX;
    state.pointY(row) = storedY;
    state.PointCount = static_cast<Integer>(row);
}

} // namespace tarnelby
