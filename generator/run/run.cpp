#include "run/run.h"

#include <bit>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <utility>

namespace ciferon {

void deal(std::span<std::int16_t> poradi, RandomSource& random) {
    const int last = static_cast<int>(poradi.size()) - 1;
    for (int m = 0; m <= last; ++m) {
        const int r = draw(random, 0, last);
        // Exchanged also when r equals m, which changes nothing: a branch on it would be
        // mispredicted half the time in a deal of two slots.
        std::swap(poradi[static_cast<std::size_t>(r)], poradi[static_cast<std::size_t>(m)]);
    }
}

int separatorInterval(double k) {
    if (!(k > 0.5 && k <= separatorMax)) {
        return 0;
    }
    // Nearest whole number, an exact half going to the even neighbour.
    const double whole = std::floor(k);
    const double fraction = k - whole;
    auto interval = static_cast<int>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && interval % 2 != 0)) {
        ++interval;
    }
    return interval;
}

bool acceptsCount(double n) {
    return n > 0 && n <= countMax;
}

namespace {

// The run's own dealing of all fifteen kinds.
class RunDealer {
  public:
    void start(RandomSource& random) {
        for (int s = 0; s <= highestKind; ++s) {
            poradi_[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(s);
        }
        deal(poradi_, random);
    }
    int kindOf(int i, RandomSource& /*random*/) const {
        return poradi_[static_cast<std::size_t>(i % slotsRead)];
    }
    void after(int i, RandomSource& random) {
        if (i % highestKind == 0) {
            deal(poradi_, random);
        }
    }

  private:
    KindOrder poradi_{};
};

// The kinds of a sheet with a subset of m chosen kinds. A printed code fixes forever how its
// sheet takes random values, so this is never to change:
// - the order holds the chosen kinds in ascending kind number;
// - before exercises 1, m+1, 2m+1, ... (before that exercise's base factors A and B) it is
//   dealt with the run's own deal over m slots: for M = 0 ... m-1, exchange slots M and
//   draw 0..m-1 (m random values, also when m is 1); each deal works on the order the
//   previous one left, and there is no deal of fifteen;
// - exercise i takes slot (i-1) mod m, so every block of m exercises counted from the first
//   holds each chosen kind exactly once.
// Groups, empty lines, the texts and the kinds' own random values are the run's.
class ChosenDealer {
  public:
    explicit ChosenDealer(KindChoice chosen) {
        for (int kind = 0; kind <= highestKind; ++kind) {
            if ((chosen & (1U << static_cast<unsigned>(kind))) != 0) {
                order_.at(m_++) = static_cast<std::int16_t>(kind);
            }
        }
    }
    void start(RandomSource& /*random*/) { slot_ = 0; }
    // Called for i = 1, 2, 3, ... in turn: slot_ is (i - 1) mod m, counted rather than
    // divided, which would cost a good part of a cheap kind's exercise.
    int kindOf(int /*i*/, RandomSource& random) {
        if (slot_ == m_) {
            slot_ = 0;
        }
        if (slot_ == 0) {
            deal(std::span(order_.data(), m_), random);
        }
        return order_[slot_++];
    }
    void after(int /*i*/, RandomSource& /*random*/) {}

  private:
    KindOrder order_{};
    std::size_t m_ = 0;
    std::size_t slot_ = 0;
};

// The one loop of both dealings, per exercise: the dealer's kind, the base factors A and B,
// the kind's own random values, then the exercise handed to the sink, which after every
// interval-th exercise is told that a group ends. A template, so that the dealer's and the
// sink's calls are inlined.
template <typename Dealer, typename Sink>
void dealtExercises(double n, int interval, RandomSource& random, Dealer& dealer,
                    const KindTable& kinds, Sink& sink) {
    const auto count = static_cast<int>(n);
    sink.reserve(count);
    dealer.start(random);
    AddendSlots slots;
    KindTools tools{random, slots};
    for (int i = 1; i <= count; ++i) {
        const int kind = dealer.kindOf(i, random);
        BaseFactors factors{};
        factors.a = draw(random, 1, 10);
        factors.b = draw(random, 2, 10);
        factors.p = factors.a * factors.b;
        sink.add(kind, kinds[static_cast<std::size_t>(kind)](factors, tools));
        if (i % interval == 0) {
            sink.groupEnd();
        }
        dealer.after(i, random);
    }
}

// Writes the two lists as the fields show them: every line ended by CR LF, an empty line
// after every group.
class ListSink {
  public:
    explicit ListSink(std::vector<int>* kindsMade) : kindsMade_(kindsMade) {}
    void reserve(int count) {
        // Roughly the longest texts, so that the lists grow without reallocation.
        lists_.exercises.reserve(static_cast<std::size_t>(count) * 20 + 64);
        lists_.solutions.reserve(static_cast<std::size_t>(count) * 40 + 64);
    }
    void add(int kind, const Exercise& made) {
        if (kindsMade_ != nullptr) {
            kindsMade_->push_back(kind);
        }
        lists_.exercises.append(made.exercise).append(crlf);
        lists_.solutions.append(made.exercise).append(made.working).append(crlf);
    }
    void groupEnd() {
        lists_.exercises.append(crlf);
        lists_.solutions.append(crlf);
    }
    Lists take() { return std::move(lists_); }

  private:
    Lists lists_;
    std::vector<int>* kindsMade_;
};

// Keeps every exercise with its kind and where its group ends.
class MadeSink {
  public:
    void reserve(int count) { made_.reserve(static_cast<std::size_t>(count)); }
    void add(int kind, Exercise made) { made_.push_back({kind, std::move(made), false}); }
    void groupEnd() { made_.back().groupEnd = true; }
    std::vector<MadeExercise> take() { return std::move(made_); }

  private:
    std::vector<MadeExercise> made_;
};

// Both dealings: all fifteen kinds as the run deals them, or a subset taking turns.
template <typename Sink>
void makeExercisesInto(double n, int interval, RandomSource& random, KindChoice dealt,
                       const KindTable& kinds, Sink& sink) {
    if (dealt == allKinds) {
        RunDealer dealer;
        dealtExercises(n, interval, random, dealer, kinds, sink);
        return;
    }
    // No kind to deal, or a bit beyond the fifteen kinds: no sheet at all, never a guess.
    if (dealt == 0 || (dealt & ~allKinds) != 0) {
        throw std::invalid_argument("no kind of exercise is chosen, or one that does not exist");
    }
    ChosenDealer dealer(dealt);
    dealtExercises(n, interval, random, dealer, kinds, sink);
}

}  // namespace

Lists makeLists(double n, int interval, RandomSource& random, KindChoice dealt,
                const KindTable& kinds, std::vector<int>* kindsMade) {
    ListSink sink(kindsMade);
    makeExercisesInto(n, interval, random, dealt, kinds, sink);
    return sink.take();
}

std::vector<MadeExercise> makeExercises(double n, int interval, RandomSource& random,
                                        KindChoice dealt, const KindTable& kinds) {
    MadeSink sink;
    makeExercisesInto(n, interval, random, dealt, kinds, sink);
    return sink.take();
}

Lists makeLists(double n, int interval, RandomSource& random, const KindTable& kinds) {
    return makeLists(n, interval, random, allKinds, kinds);
}

bool run(RunHost& host, RandomSource& random) {
    const double n = readNumber(host.askNumber(countQuestion, countDefault));
    if (!acceptsCount(n)) {
        return false;
    }
    const int interval =
        separatorInterval(readNumber(host.askNumber(separatorQuestion, separatorDefault)));
    if (interval == 0) {
        return false;
    }
    random.seed();
    const Lists lists = makeLists(n, interval, random);
    host.showResults(lists.exercises, lists.solutions);
    return true;
}

}  // namespace ciferon
