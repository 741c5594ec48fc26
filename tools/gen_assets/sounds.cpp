// The sounds: the default beep and the game's effects, synthesised at 22050 Hz.
#include <cmath>
#include <string>

#include "assets.h"
#include "gen_math.h"

namespace gen {

namespace {

size_t Samples(double ms) {
    return size_t(ms * kSampleRate / 1000.0);
}

// A state-variable filter (Chamberlin), stable for cutoffs well below a sixth of the rate.
class Svf {
public:
    void Set(double cutoff_hz, double q) {
        f_ = 2.0 * Sin(kPi * cutoff_hz / kSampleRate);
        damp_ = 1.0 / q;
    }
    void Run(double in) {
        low_ += f_ * band_;
        high_ = in - low_ - damp_ * band_;
        band_ += f_ * high_;
    }
    double Low() const { return low_; }
    double Band() const { return band_; }
    double High() const { return high_; }

private:
    double f_ = 0.1;
    double damp_ = 1.0;
    double low_ = 0, band_ = 0, high_ = 0;
};

Sound Beep() {
    Sound s(Samples(150));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / kSampleRate;
        phase += kTwoPi * 880.0 / kSampleRate;
        double env = Exp(-t * 14.0);
        s[i] = env * (0.8 * Sin(phase) + 0.15 * Sin(2.0 * phase) + 0.05 * Sin(3.0 * phase));
    }
    Fade(s, 4, 30);
    Normalize(s, 0.5);
    return s;
}

// A cheerful rising arpeggio: C5 E5 G5, then C6 held.
Sound Jingle() {
    struct Note {
        double hz;
        double start_ms;
        double len_ms;
    };
    const Note notes[] = {{523.25, 0, 150},
                          {659.26, 140, 150},
                          {783.99, 280, 150},
                          {1046.5, 420, 380},
                          {783.99, 420, 380}};
    Sound s(Samples(800));
    for (const Note& n : notes) {
        size_t first = Samples(n.start_ms);
        size_t len = Samples(n.len_ms);
        double phase = 0;
        for (size_t i = 0; i < len && first + i < s.size(); ++i) {
            double t = double(i) / kSampleRate;
            phase += kTwoPi * n.hz / kSampleRate;
            double attack = Clamp01(t / 0.008);
            double release = Clamp01((n.len_ms / 1000.0 - t) / 0.04);
            double env = attack * release * (0.55 + 0.45 * Exp(-t * 9.0));
            // A soft square-ish tone: odd harmonics falling off fast.
            double v = Sin(phase) + 0.25 * Sin(3.0 * phase) + 0.08 * Sin(5.0 * phase) +
                       0.12 * Sin(2.0 * phase);
            s[first + i] += 0.3 * env * v;
        }
    }
    Fade(s, 3, 40);
    Normalize(s, 0.6);
    return s;
}

// A swoosh: noise through a band-pass filter sweeping upwards.
Sound Swoosh() {
    Sound s(Samples(300));
    Lcg rng(31u);
    Svf f;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / s.size();
        f.Set(400.0 + 2600.0 * t * t, 2.5);
        f.Run(rng.Signed());
        double env = Sin(kPi * Pow(t, 0.7));
        s[i] = f.Band() * env * env;
    }
    Fade(s, 5, 20);
    Normalize(s, 0.5);
    return s;
}

// A head bump: a low thump falling in pitch, with a short muffled knock.
Sound Thud() {
    Sound s(Samples(150));
    Lcg rng(41u);
    Svf f;
    f.Set(700.0, 0.8);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / kSampleRate;
        double hz = 60.0 + 130.0 * Exp(-t * 30.0);
        phase += kTwoPi * hz / kSampleRate;
        f.Run(rng.Signed());
        double body = Sin(phase) * Exp(-t * 22.0);
        double knock = f.Low() * Exp(-t * 90.0);
        s[i] = body + 1.2 * knock;
    }
    Fade(s, 1.5, 25);
    Normalize(s, 0.8);
    return s;
}

// Falling out: a whistle gliding down, with a little vibrato.
Sound FallWhistle() {
    Sound s(Samples(800));
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / kSampleRate;
        double u = t / 0.8;
        double hz = 1500.0 * Pow(300.0 / 1500.0, u) * (1.0 + 0.012 * Sin(kTwoPi * 7.0 * t));
        phase += kTwoPi * hz / kSampleRate;
        double env = 0.7 + 0.3 * (1.0 - u);
        s[i] = env * (Sin(phase) + 0.1 * Sin(2.0 * phase));
    }
    Fade(s, 10, 120);
    Normalize(s, 0.45);
    return s;
}

// A footstep: a noise burst shaped by a filter of its own timbre.
Sound Step(uint32_t seed, double ms, double cutoff, double q, bool band, double decay) {
    Sound s(Samples(ms));
    Lcg rng(seed);
    Svf f;
    f.Set(cutoff, q);
    for (size_t i = 0; i < s.size(); ++i) {
        double t = double(i) / kSampleRate;
        f.Run(rng.Signed());
        double env = Clamp01(t / 0.003) * Exp(-t * decay);
        s[i] = (band ? f.Band() : f.Low()) * env;
    }
    Fade(s, 1, 12);
    Normalize(s, 0.4);
    return s;
}

}  // namespace

void MakeSounds(const std::string& assets_dir, const std::string& data_dir) {
    SaveWav(Beep(), assets_dir + "/beep.wav");
    SaveWav(Jingle(), data_dir + "/Mn.res");
    SaveWav(Swoosh(), data_dir + "/Op.res");
    SaveWav(Thud(), data_dir + "/Bash.res");
    SaveWav(FallWhistle(), data_dir + "/Kr.res");
    SaveWav(Step(51u, 60, 800.0, 0.9, false, 70.0), data_dir + "/1.res");
    SaveWav(Step(52u, 70, 700.0, 1.2, true, 60.0), data_dir + "/2.res");
    SaveWav(Step(53u, 80, 450.0, 1.1, false, 45.0), data_dir + "/3.res");
    SaveWav(Step(54u, 90, 1200.0, 1.6, true, 55.0), data_dir + "/4.res");
}

}  // namespace gen
