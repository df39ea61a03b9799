// Dense phase of the complete-pivoting elimination; see dense_block.h.
//
// Storage slots, not positions: the block's rows and columns sit in slots
// 0..m-1 of an m x m array, m the number still active. Each step moves the
// pivot row and column to slot m-1, so that the remaining block stays the
// contiguous leading m-1 x m-1 part. Positions, which decide ties in the
// pivot search, are kept by the shared book-keeping as in the sparse phase.
//
// On large blocks a second thread reduces half of the rows of each step;
// every row gets exactly the same arithmetic whichever thread reduces it.
#include "solver/dense_block.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "solver/step_worker.h"

namespace orv::detail {

namespace {

constexpr std::size_t kLanes = 8;
using Lanes = double __attribute__((vector_size(kLanes * sizeof(double))));

// With ORVANDEL_TARGET_CLONES the row kernel is compiled for several
// instruction sets and runs with the widest the processor has. An ifunc
// resolver chooses while the library loads, before a ThreadSanitizer runtime
// is ready, so such builds compile it once, for the baseline set. Each
// version rounds the same (no fused multiply-add).
#ifdef ORVANDEL_TARGET_CLONES
#define ORV_ROW_KERNEL_CLONES __attribute__((target_clones("avx512f", "avx2", "default")))
#else
#define ORV_ROW_KERNEL_CLONES
#endif

// target[0..count) -= factor * source[0..count); returns the largest
// magnitude of the new values. Each element is rounded exactly as the
// scalar expression target - factor * source; the maximum is exact.
ORV_ROW_KERNEL_CLONES double subtractScaledRow(double* __restrict target,
                                               const double* __restrict source, double factor,
                                               std::size_t count) {
    Lanes largest{};
    const Lanes scale = Lanes{} + factor;
    std::size_t k = 0;
    for (; k + kLanes <= count; k += kLanes) {
        Lanes t;
        Lanes s;
        std::memcpy(&t, target + k, sizeof t);
        std::memcpy(&s, source + k, sizeof s);
        t = t - scale * s;
        std::memcpy(target + k, &t, sizeof t);
        const Lanes magnitude = t < 0 ? -t : t;
        largest = magnitude > largest ? magnitude : largest;
    }
    double result = 0;
    for (std::size_t lane = 0; lane < kLanes; ++lane) {
        result = largest[lane] > result ? largest[lane] : result;
    }
    for (; k < count; ++k) {
        target[k] = target[k] - factor * source[k];
        const double magnitude = std::fabs(target[k]);
        result = magnitude > result ? magnitude : result;
    }
    return result;
}

// Storage of the dense block, kept by each thread from one run to the next:
// fresh memory from the system costs a page fault per page, which on a
// medium frame takes as long as the elimination itself. Blocks beyond
// kKeptScratch doubles (64 MB) are released after their run.
constexpr std::size_t kKeptScratch = std::size_t{8} << 20;

std::vector<double>& scratch() {
    thread_local std::vector<double> cells;
    return cells;
}

std::vector<double>& zeroedScratch(std::size_t size) {
    std::vector<double>& cells = scratch();
    if (cells.size() < size) {
        cells.resize(size);
    }
    std::fill_n(cells.begin(), size, 0.0);
    return cells;
}

void releaseLargeScratch() noexcept {
    if (scratch().size() > kKeptScratch) {
        std::vector<double>().swap(scratch());
    }
}

// Releases a large block however the phase ends: a run that fails, most
// likely for want of memory on a large block, must not keep up to 8 m^2
// bytes until the next run.
class LargeScratchRelease {
public:
    LargeScratchRelease() = default;
    LargeScratchRelease(const LargeScratchRelease&) = delete;
    LargeScratchRelease& operator=(const LargeScratchRelease&) = delete;
    ~LargeScratchRelease() { releaseLargeScratch(); }
};

thread_local DenseStepHook stepHook = nullptr;

class DenseBlock {
public:
    DenseBlock(EliminationState& state, int firstStep, std::vector<std::vector<SparseEntry>>& rows)
        : s_(state),
          m_(state.n - firstStep),
          cells_(zeroedScratch(static_cast<std::size_t>(m_) * static_cast<std::size_t>(m_))),
          slotRow_(s_.at(m_)),
          slotCol_(s_.at(m_)),
          rowOffset_(s_.at(m_)),
          rowSlot_(s_.at(s_.n), -1),
          colSlot_(s_.at(s_.n), -1),
          rowMax_(s_.at(m_)) {
        for (int slot = 0; slot < m_; ++slot) {
            slotRow_[s_.at(slot)] = s_.rowAt[s_.at(firstStep + slot)];
            slotCol_[s_.at(slot)] = s_.colAt[s_.at(firstStep + slot)];
            rowSlot_[s_.at(slotRow_[s_.at(slot)])] = slot;
            colSlot_[s_.at(slotCol_[s_.at(slot)])] = slot;
            rowOffset_[s_.at(slot)] = s_.at(slot) * s_.at(m_);
            rowMax_[s_.at(slot)] = s_.tree.valueAt(firstStep + slot);
        }
        // Every pivot row of this phase is kept, right of its pivot, for the
        // back substitution.
        s_.upper.reserve(s_.upper.size() + s_.at(m_) * s_.at(m_ - 1) / 2);
        for (int slot = 0; slot < m_; ++slot) {
            auto& row = rows[s_.at(slotRow_[s_.at(slot)])];
            for (const SparseEntry& e : row) {
                const int col = colSlot_[s_.at(e.col)];
                if (col >= 0) {
                    cell(slot, col) = e.value;
                }
            }
            std::vector<SparseEntry>().swap(row);
        }
    }

    bool step(int p) {
        const int rowSlot = leftmostGreatestRow();
        const double largest = rowMax_[s_.at(rowSlot)];
        if (!(largest > 0)) {
            return false;
        }
        const int colSlot = leftmostGreatest(rowSlot, largest);
        const PivotChoice pivot{slotRow_[s_.at(rowSlot)], slotCol_[s_.at(colSlot)]};
        const double value = cell(rowSlot, colSlot);
        if (s_.isZeroPivot(pivot, value)) {
            return false;
        }
        s_.exchangeInto(p, pivot, value);
        moveColumnLast(colSlot);
        moveRowLast(rowSlot);
        --m_;
        keepPivotRow();
        reduceRows(pivot.row, value);
        return true;
    }

private:
    double& cell(int row, int col) { return cells_[rowOffset_[s_.at(row)] + s_.at(col)]; }
    double* rowData(int row) { return cells_.data() + rowOffset_[s_.at(row)]; }

    // The row slot holding the greatest row maximum, the one at the smallest
    // position on ties: the row the row-major scan meets first. Nearly every
    // row changes at every step, so a plain scan beats a search tree here.
    int leftmostGreatestRow() const {
        int best = 0;
        for (int row = 1; row < m_; ++row) {
            const double value = rowMax_[s_.at(row)];
            const double bestValue = rowMax_[s_.at(best)];
            if (value > bestValue ||
                (value == bestValue && s_.rowPos[s_.at(slotRow_[s_.at(row)])] <
                                           s_.rowPos[s_.at(slotRow_[s_.at(best)])])) {
                best = row;
            }
        }
        return best;
    }

    int leftmostGreatest(int row, double largest) {
        const double* data = rowData(row);
        int best = -1;
        for (int col = 0; col < m_; ++col) {
            if (std::fabs(data[col]) == largest &&
                (best < 0 || s_.colPos[s_.at(slotCol_[s_.at(col)])] <
                                 s_.colPos[s_.at(slotCol_[s_.at(best)])])) {
                best = col;
            }
        }
        return best;
    }

    void moveColumnLast(int col) {
        const int last = m_ - 1;
        if (col == last) {
            return;
        }
        for (int row = 0; row < m_; ++row) {
            std::swap(cell(row, col), cell(row, last));
        }
        std::swap(slotCol_[s_.at(col)], slotCol_[s_.at(last)]);
        colSlot_[s_.at(slotCol_[s_.at(col)])] = col;
        colSlot_[s_.at(slotCol_[s_.at(last)])] = last;
    }

    void moveRowLast(int row) {
        const int last = m_ - 1;
        std::swap(rowOffset_[s_.at(row)], rowOffset_[s_.at(last)]);
        std::swap(slotRow_[s_.at(row)], slotRow_[s_.at(last)]);
        std::swap(rowMax_[s_.at(row)], rowMax_[s_.at(last)]);
        rowSlot_[s_.at(slotRow_[s_.at(row)])] = row;
        rowSlot_[s_.at(slotRow_[s_.at(last)])] = last;
    }

    // The pivot row (now slot m_) right of its pivot, for back substitution.
    void keepPivotRow() {
        const double* data = rowData(m_);
        for (int col = 0; col < m_; ++col) {
            s_.keepUpperEntry(slotCol_[s_.at(col)], data[col]);
        }
        s_.closeUpperRow();
    }

    void reduceRows(int pivotRow, double pivotValue) {
        const double pivotRhs = s_.rhs[s_.at(pivotRow)];
        if (!worker_ || m_ < kSharedStepRows) {
            reduceRowRange(0, m_, pivotValue, pivotRhs);
            return;
        }
        const int half = m_ / 2;
        worker_->start([=, this] { reduceRowRange(half, m_, pivotValue, pivotRhs); });
        reduceRowRange(0, half, pivotValue, pivotRhs);
        worker_->finish();
    }

    // Reduces row slots [first, last) by the pivot row (slot m_). Rows are
    // independent, so two threads may take disjoint ranges.
    void reduceRowRange(int first, int last, double pivotValue, double pivotRhs) {
        const double* source = rowData(m_);
        for (int row = first; row < last; ++row) {
            double* target = rowData(row);
            const double entry = target[m_];
            if (entry == 0) {
                continue;
            }
            const double factor = entry / pivotValue;
            const double largest = subtractScaledRow(target, source, factor, s_.at(m_));
            s_.rhs[s_.at(slotRow_[s_.at(row)])] -= factor * pivotRhs;
            rowMax_[s_.at(row)] = largest;
        }
    }

    EliminationState& s_;
    int m_;                               // rows and columns still active
    std::vector<double>& cells_;          // the thread's scratch storage
    std::vector<int> slotRow_, slotCol_;  // original index in each slot
    std::vector<std::size_t> rowOffset_;  // start of each row slot in cells_
    std::vector<int> rowSlot_, colSlot_;  // slot of each original index, -1 outside
    std::vector<double> rowMax_;          // largest magnitude of each row slot
    // A second thread pays on large blocks only: handing a step over costs
    // microseconds, and on medium frames (blocks of a few hundred rows) the
    // two threads slow each other down more than they share (measured on
    // building frames of 420 and 2,050 members). Steps are shared while the
    // remaining block has kSharedStepRows rows or more.
    static constexpr int kWorkerBlockRows = 768;
    static constexpr int kSharedStepRows = 384;
    std::unique_ptr<StepWorker> worker_ =
        m_ >= kWorkerBlockRows ? StepWorker::startIfUseful() : nullptr;
};

}  // namespace

bool eliminateDenseBlock(EliminationState& state, int firstStep,
                         std::vector<std::vector<SparseEntry>>& rows) {
    const LargeScratchRelease release;  // after the block and its thread are gone
    DenseBlock block(state, firstStep, rows);
    const DenseStepHook hook = stepHook;
    bool solved = true;
    for (int p = firstStep; p < state.n && solved; ++p) {
        if (hook) {
            hook(p);
        }
        solved = block.step(p);
    }
    return solved;
}

std::size_t denseScratchSize() {
    return scratch().size();
}

DenseStepHook setDenseStepHook(DenseStepHook hook) {
    return std::exchange(stepHook, hook);
}

}  // namespace orv::detail
