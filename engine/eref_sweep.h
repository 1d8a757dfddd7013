// The search at the heart of the e_ref sweeps: for one trial rate e, the first largest value
// of the KEST signal S_j = B_j * exp(-t_j * e) over the grid. A plain scan evaluates all n
// points with an extended-precision exponential each; a sweep runs up to 200,000 trials, so
// SignalMaximumFinder prepares the grid once and then evaluates S exactly at only the few
// points that can hold the maximum, with the same result and the same errors as the scan.
#pragma once

#include <vector>

// The grid a sweep reads: the first n interpolated points, the baseline current and the area.
struct SweepGrid {
    const double *time = nullptr;     // s, t_j
    const double *current = nullptr;  // A, I_j
    int n = 0;
    double currentAtEnd = 0.0;  // A
    double area = 0.0;          // mm^2
};

// What one trial finds. complete is false when the trial was abandoned (a negative rate
// whose factor exp(-t_j e) would exceed exp(300) somewhere on the grid); otherwise jmax and
// smax are the first largest positive signal, or 0 and 0.0 when no value is positive.
struct SignalMaximum {
    bool complete = true;
    int jmax = 0;
    double smax = 0.0;
};

// The rule itself: points in ascending time, those with t_j e (as a double) above 300
// skipped, the trial abandoned at the first below -300, a later equal value never replacing
// an earlier one. Throws MathError where the arithmetic fails.
SignalMaximum scanSignalMaximum(const SweepGrid &grid, double e);

// The same search, prepared once per grid. In log space each point is a line,
// log S_j = log B_j - t_j e, so for every e the largest value lies on the upper convex hull
// of the points (t_j, log B_j): a binary search finds it, and only points within a small
// margin of that line are evaluated exactly, with the scan's own expression. Grids or trials
// where that argument needs care (times not ascending, values that are not finite, a zero
// area, signals near the overflow or underflow of a double) go to the plain scan.
class SignalMaximumFinder {
public:
    explicit SignalMaximumFinder(const SweepGrid &grid);

    // Identical to scanSignalMaximum(grid, e), including the MathError it would throw.
    SignalMaximum find(double e) const;

    // False when every trial takes the plain scan.
    bool prepared() const noexcept { return prepared_; }

private:
    struct Candidate {
        int j;
        double t;
        double logB;  // log of the signal at e = 0
    };

    SignalMaximum pickExact(const std::vector<int> &points, double e) const;
    SignalMaximum findBelow(double e, int hi) const;

    SweepGrid grid_;
    bool prepared_ = false;
    double largestLogMagnitude_ = 0.0;  // over every point, for the overflow check
    std::vector<Candidate> candidates_; // the points whose signal can be positive
    std::vector<int> hull_;             // indexes into candidates_, ascending t
    std::vector<double> slope_;         // of hull edge k, from hull_[k] to hull_[k + 1]
    std::vector<int> nearBegin_;        // per edge: start of its points just below the hull
    std::vector<int> near_;             // indexes into candidates_
};
