// SPDX-License-Identifier: GPL-3.0-or-later
// What the program computes, written out so that two builds can be compared
// line by line: the desktop build (the x87's extended precision) and the
// WebAssembly build (the software extended type), run under node.
//
//   kavrel_numbers              one line a block: its hash and counts
//   kavrel_numbers BLOCK        every line of that block
//
// The blocks: every click pixel of the plane at several scales under
// several conditions (P, H and F as pixels, P's texts, the measured ratio
// and error with their texts, whether P is kept, or the error raised),
// then a large random sample of the checked operations on Singles.
#include "numbers/FloatErrors.h"
#include "numbers/Fmt.h"
#include "numbers/Zahyo.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

struct TCondition {
    int lineAxis;  // 1: X = c, 2: Y = c
    float c;
    TZahyoR f;
    float ratioPF;
    float ratioPH;
};

const TCondition kConditions[] = {
    {2, -1, {0, 1}, 1, 1},                     // a parabola
    {1, 3, {-2, 0}, 1, 2},                     // an ellipse
    {1, -5, {1, 7}, 1.41421354f, 1},           // a hyperbola, √2 : 1
    {2, 2, {-6, 2}, 1.73205078f, 1.41421354f}, // √3 : √2, F on the line
};
const int kScales[] = {4, 20, 36};
constexpr int kPlaneSize = 660;
constexpr int kRandomBlocks = 5;
constexpr int kRandomPerBlock = 100000;

std::string Bits(float x)
{
    std::uint32_t word;
    std::memcpy(&word, &x, sizeof word);
    char text[16];
    std::snprintf(text, sizeof text, "%08x", word);
    return text;
}

std::string Text(Extended x)
{
    return Fmt(x, QLatin1Char('.')).toStdString();
}

std::string Pixel(TPoint p)
{
    return std::to_string(p.X) + "," + std::to_string(p.Y);
}

// Runs a computation; its line, or the error it raised.
std::string LineOf(const std::function<std::string()>& compute)
{
    try {
        return compute();
    } catch (const EMathError& error) {
        return "error " + error.Message().toStdString();
    }
}

std::string ClickLine(const TCondition& condition, int scale, int x, int y)
{
    const TPlaneBox box{kPlaneSize, kPlaneSize, kPlaneSize, kPlaneSize};
    return LineOf([&] {
        const TZahyoR p = DottoZahyo(TDot{float(x), float(y)}, scale, box);
        const TZahyoR h = condition.lineAxis == 1 ? TZahyoR{condition.c, p.Y} : TZahyoR{p.X, condition.c};
        const auto pixel = [&](TZahyoR z) { return Pixel(ZahyoRtoPoint(ZahyotoDot(z, scale, box))); };
        std::string line = Bits(p.X) + " " + Bits(p.Y) + " (" + Text(p.X) + " , " + Text(p.Y) + ") " + pixel(p) + " "
                           + pixel(h) + " " + pixel(condition.f);
        const TMeasure measure = MeasureRatio(condition.f, h, p, condition.ratioPF, condition.ratioPH);
        return line + " " + Bits(measure.m) + " " + Bits(measure.e) + " " + Text(condition.ratioPF) + ":"
               + Text(measure.m) + " " + Text(measure.e) + (OnTheCurve(measure.e) ? " kept" : "");
    });
}

// A random Single of either sign: mostly of the sizes the plane has (2^-20
// to 2^20), one in eight of any size.
float RandomSingle(std::mt19937_64& random)
{
    const std::uint64_t bits = random();
    std::uint32_t word = std::uint32_t(bits);
    if (bits >> 61)
        word = (word & 0x807FFFFFu) | std::uint32_t(107 + (bits >> 32) % 41) << 23;
    else if ((word & 0x7F800000u) == 0x7F800000u)
        word &= 0xFF7FFFFFu;  // no infinity, no NaN
    float value;
    std::memcpy(&value, &word, sizeof value);
    return value;
}

std::string RandomLine(std::mt19937_64& random)
{
    const float a = RandomSingle(random);
    const float b = RandomSingle(random);
    const float c = RandomSingle(random);
    // One statement a step: the order in which the operands of one
    // expression are computed is the compiler's choice, and the first
    // failing step names the error.
    return LineOf([&] {
        const Extended quotient = CheckedDivide(Extended(a) * b, c);
        const Extended root = CheckedSqrt(Abs(Extended(a) - b) / 3);
        const float single = CheckedSingle(quotient + root);
        const std::int32_t rounded = Roundoff(Extended(a) / 7 + Extended(b) / 3);
        const std::int64_t truncated = Truncate(root * c);
        const float distance = Kyori({a, b}, {c, a});
        return Bits(single) + " " + Text(quotient) + " " + Text(root) + " " + Text(Extended(a) + c) + " "
               + std::to_string(rounded) + " " + std::to_string(truncated) + " " + Bits(distance);
    });
}

using TWrite = std::function<void(const std::string&)>;

struct TBlock {
    std::string name;
    std::function<void(const TWrite&)> lines;
};

std::vector<TBlock> Blocks()
{
    std::vector<TBlock> blocks;
    for (std::size_t i = 0; i < std::size(kConditions); ++i)
        for (int scale : kScales)
            blocks.push_back({"click-" + std::to_string(i) + "-" + std::to_string(scale), [i, scale](const TWrite& write) {
                                  for (int y = 0; y < kPlaneSize; ++y)
                                      for (int x = 0; x < kPlaneSize; ++x)
                                          write(ClickLine(kConditions[i], scale, x, y));
                              }});
    for (int i = 0; i < kRandomBlocks; ++i)
        blocks.push_back({"random-" + std::to_string(i), [i](const TWrite& write) {
                              std::mt19937_64 random(2026 + i);
                              for (int n = 0; n < kRandomPerBlock; ++n)
                                  write(RandomLine(random));
                          }});
    return blocks;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    for (const TBlock& block : Blocks()) {
        if (!only.empty()) {
            if (block.name == only)
                block.lines([](const std::string& line) { std::printf("%s\n", line.c_str()); });
            continue;
        }
        // FNV-1a over the lines; the counts make a summary a reader can check.
        std::uint64_t hash = 14695981039346656037ull;
        long kept = 0;
        long errors = 0;
        block.lines([&](const std::string& line) {
            for (unsigned char c : line + "\n")
                hash = (hash ^ c) * 1099511628211ull;
            kept += line.ends_with(" kept");
            errors += line.starts_with("error ");
        });
        std::printf("%s %016llx kept %ld errors %ld\n", block.name.c_str(), static_cast<unsigned long long>(hash),
                    kept, errors);
        std::fflush(stdout);
    }
    return 0;
}
