#include "engine/Thumbnail.h"

#include <algorithm>
#include <cmath>

namespace {

int LargerSide(const ImageFacts& facts) {
    return std::max(facts.width, facts.height);
}

// For each of `to` new pixels along one side of `from` pixels: the first old pixel it covers
// and the share of each old pixel it covers, together 1.
struct Coverage {
    int first = 0;
    std::vector<double> shares;
};

std::vector<Coverage> Coverages(int from, int to) {
    std::vector<Coverage> coverages(static_cast<size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int o = 0; o < to; ++o) {
        const double start = o * step, end = std::min<double>(from, (o + 1) * step);
        Coverage& coverage = coverages[static_cast<size_t>(o)];
        coverage.first = static_cast<int>(start);
        for (int s = coverage.first; s < from && s < end; ++s)
            coverage.shares.push_back((std::min<double>(s + 1, end) - std::max<double>(s, start)) / step);
    }
    return coverages;
}

}  // namespace

std::vector<int> ThumbnailOrder(const std::vector<ImageFacts>& images, int size) {
    std::vector<int> order;
    for (size_t i = 0; i < images.size(); ++i)
        if (images[i].width > 0) order.push_back(static_cast<int>(i));
    const auto before = [&](int a, int b) {
        const ImageFacts &x = images[static_cast<size_t>(a)], &y = images[static_cast<size_t>(b)];
        const int xSide = LargerSide(x), ySide = LargerSide(y);
        const bool xLarge = xSide >= size, yLarge = ySide >= size;
        if (xLarge != yLarge) return xLarge;
        if (xSide != ySide) return xLarge ? xSide < ySide : xSide > ySide;
        const bool xFull = x.png || x.bitsPerPixel >= 32, yFull = y.png || y.bitsPerPixel >= 32;
        if (xFull != yFull) return xFull;
        return x.bitsPerPixel > y.bitsPerPixel;
    };
    std::stable_sort(order.begin(), order.end(), before);
    return order;
}

void ScaleToFit(const RgbaImage& picture, int size, RgbaImage& scaled) {
    const int larger = std::max(picture.width, picture.height);
    if (larger <= size) {
        scaled = picture;
        return;
    }
    const auto fit = [&](int side) { return std::max(1, static_cast<int>(std::lround(double(side) * size / larger))); };
    const int w = fit(picture.width), h = fit(picture.height);
    const std::vector<Coverage> across = Coverages(picture.width, w), down = Coverages(picture.height, h);

    // Colours premultiplied by alpha, first averaged along each source row a new row covers,
    // then down those rows. Only one source row is held at a time: a row two new rows share is
    // averaged twice, to the same values, which keeps the memory small and the cache warm.
    scaled.width = w;
    scaled.height = h;
    scaled.pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
    std::vector<double> row(static_cast<size_t>(w) * 4), sums(static_cast<size_t>(w) * 4);
    for (int y = 0; y < h; ++y) {
        const Coverage& d = down[static_cast<size_t>(y)];
        std::fill(sums.begin(), sums.end(), 0.0);
        for (size_t j = 0; j < d.shares.size(); ++j) {
            const unsigned char* source = &picture.pixels[(d.first + j) * static_cast<size_t>(picture.width) * 4];
            std::fill(row.begin(), row.end(), 0.0);
            for (int x = 0; x < w; ++x) {
                const Coverage& c = across[static_cast<size_t>(x)];
                double* out = &row[static_cast<size_t>(x) * 4];
                for (size_t k = 0; k < c.shares.size(); ++k) {
                    const unsigned char* in = source + (static_cast<size_t>(c.first) + k) * 4;
                    const double weight = c.shares[k] * in[3];
                    for (int channel = 0; channel < 3; ++channel)
                        out[channel] += weight * in[channel];
                    out[3] += weight;
                }
            }
            for (size_t at = 0; at < sums.size(); ++at)
                sums[at] += d.shares[j] * row[at];
        }
        for (int x = 0; x < w; ++x) {
            const double* sum = &sums[static_cast<size_t>(x) * 4];
            unsigned char* out =
                &scaled.pixels[(static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)) * 4];
            if (sum[3] <= 0) continue;  // fully transparent
            for (int channel = 0; channel < 3; ++channel)
                out[channel] =
                    static_cast<unsigned char>(std::clamp(static_cast<long>(sum[channel] / sum[3] + 0.5), 0L, 255L));
            out[3] = static_cast<unsigned char>(std::clamp(static_cast<long>(sum[3] + 0.5), 0L, 255L));
        }
    }
}
