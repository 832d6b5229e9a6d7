// Anderson acceleration of a fixed-point iteration z <- T(z) (type II, as in
// Walker and Ni 2011; for splitting methods Fu, Zhang and Boyd 2020). The
// next point mixes the last few images so that the mixed residual is least in
// the least-squares sense. A safeguard drops the memory and takes the plain
// step when an accelerated point made the residual grow.
#ifndef PHA_ANDERSONACCELERATION_H
#define PHA_ANDERSONACCELERATION_H

#include <vector>

class AndersonAcceleration {
public:
    // memory: how many past differences mix (>= 1). growth: an accelerated
    // point whose residual exceeds growth times the one before it is refused.
    explicit AndersonAcceleration(int memory, double growth = 2.0);

    // z: the point the map was evaluated at, image: T(z), both of one size.
    // Returns the point to evaluate next.
    std::vector<double> next(const std::vector<double>& z, const std::vector<double>& image);

    // Forget the history (the map changed, e.g. rho did).
    void reset();

    // Whether the last next() returned a mixed point rather than the image.
    bool lastAccelerated() const { return lastAccelerated_; }

    // The whole history, so that a stopped run can go on with the same iterates.
    struct History {
        std::vector<std::vector<double>> points, images;
        double lastResidual = -1.0;
        bool lastAccelerated = false;
    };
    History history() const;
    void restore(const History& h);

private:
    int memory_;
    double growth_;
    std::vector<std::vector<double>> points_, images_;  // oldest first, at most memory_ + 1
    double lastResidual_ = -1.0;
    bool lastAccelerated_ = false;
};

#endif
