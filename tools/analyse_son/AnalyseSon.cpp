#include "AnalyseSon.h"

#include "sound/Clips.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {
using Complexe = std::complex<double>;

// The start of a clip is recognised from its first 100 ms: enough to tell clips apart, short
// enough that a clip cut off early by the next one is still found.
constexpr std::size_t kGabarit = 4410;
constexpr std::size_t kBloc = 1 << 16;  // correlation block (overlap-save)
constexpr double kSeuil = 0.9;          // normalised correlation that counts as a match
constexpr std::size_t kTranche = 220;   // 5 ms: the grain of "how much played"

void fft(std::vector<Complexe>& a, bool inverse) {
    const std::size_t n = a.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= n; len <<= 1) {
        const double angle = 2 * std::numbers::pi / double(len) * (inverse ? 1 : -1);
        const Complexe wl(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += len) {
            Complexe w(1);
            for (std::size_t j = 0; j < len / 2; ++j) {
                const Complexe u = a[i + j], v = a[i + j + len / 2] * w;
                a[i + j] = u + v;
                a[i + j + len / 2] = u - v;
                w *= wl;
            }
        }
    }
    if (inverse)
        for (auto& x : a)
            x /= double(n);
}

std::vector<double> mono(const Pcm& p) {
    std::vector<double> m(TramesPcm(p));
    for (std::size_t i = 0; i < m.size(); ++i)
        m[i] = (double(p[2 * i]) + double(p[2 * i + 1])) / 2;
    return m;
}

// First frame >= depuis where the template matches, refined to the best match nearby; -1.
long cherche(const std::vector<double>& x, const std::vector<double>& energie, const std::vector<double>& t,
             std::size_t depuis) {
    const std::size_t m = t.size();
    double normeT = 0;
    for (double v : t)
        normeT += v * v;
    if (normeT <= 0 || x.size() < m)
        return -1;
    normeT = std::sqrt(normeT);
    std::vector<Complexe> gabarit(kBloc);
    std::copy(t.begin(), t.end(), gabarit.begin());
    fft(gabarit, false);

    // Each block yields kBloc - m + 1 valid correlations; the last m of them only serve to
    // refine a match found just before.
    const std::size_t pas = kBloc - 2 * m + 1;
    const std::size_t derniere = x.size() - m;  // last start with a full window
    std::vector<Complexe> bloc(kBloc);
    for (std::size_t base = depuis; base <= derniere; base += pas) {
        std::fill(bloc.begin(), bloc.end(), Complexe(0));
        for (std::size_t i = 0; i < kBloc && base + i < x.size(); ++i)
            bloc[i] = x[base + i];
        fft(bloc, false);
        for (std::size_t i = 0; i < kBloc; ++i)
            bloc[i] *= std::conj(gabarit[i]);
        fft(bloc, true);
        auto correlation = [&](std::size_t k) {
            const double e = energie[base + k + m] - energie[base + k];
            // A near-silent window matches nothing (its correlation is noise).
            if (e < double(m) * 4.0)
                return 0.0;
            return bloc[k].real() / (normeT * std::sqrt(e));
        };
        for (std::size_t k = 0; k < pas && base + k <= derniere; ++k) {
            if (correlation(k) < kSeuil)
                continue;
            // A partial overlap can already pass the threshold (a steady tone, say); the true
            // alignment is the best one within a template's length.
            std::size_t meilleur = k;
            for (std::size_t j = k; j < k + m && base + j <= derniere; ++j)
                if (correlation(j) > correlation(meilleur))
                    meilleur = j;
            return long(base + meilleur);
        }
    }
    return -1;
}

// Does reference block [r0, r0+n) sound at capture frame x0 (allowing a volume change)?
// Squared distance between reference block [r0, r0+n) (with a volume change) and the capture
// at frame x0, and the block's own energy; distance -1 when the capture does not reach there.
std::pair<double, double> ecartBloc(const std::vector<double>& x, const std::vector<double>& r, long x0, std::size_t r0,
                                    std::size_t n, double gain) {
    if (x0 < 0 || std::size_t(x0) + n > x.size())
        return {-1, 0};
    double ecart = 0, ref = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double y = gain * r[r0 + i];
        const double d = x[std::size_t(x0) + i] - y;
        ecart += d * d;
        ref += y * y;
    }
    return {ecart, ref};
}

// Off by less than a share of the clip's energy, plus a floor for quiet stretches.
bool proche(std::pair<double, double> e, std::size_t n, double tolerance) {
    return e.first >= 0 && e.first <= tolerance * e.second + double(n) * 64.0 * 64.0;
}

// How far into the reference the capture follows it from `debut`. A sound server under load
// lets a stream run dry for a few milliseconds (silence is inserted) or rewinds and renders a
// stretch twice: the rest of the clip then sounds a little later or earlier, and is followed
// there. The clip has stopped sounding once 20 ms in a row are found nowhere near where they
// belong.
std::size_t dureeJouee(const std::vector<double>& x, const std::vector<double>& r, std::size_t debut) {
    double xr = 0, rr = 0;
    for (std::size_t i = 0; i < std::min(r.size(), kGabarit) && debut + i < x.size(); ++i) {
        xr += x[debut + i] * r[i];
        rr += r[i] * r[i];
    }
    const double gain = rr > 0 ? xr / rr : 1;
    constexpr long kDerive = 1323;      // 30 ms either way
    constexpr int kManquesTolérés = 4;  // 20 ms
    long decalage = long(debut);        // capture frame of reference frame 0
    std::size_t joue = 0;
    int manques = 0;
    for (std::size_t r0 = 0; r0 < r.size(); r0 += kTranche) {
        const std::size_t n = std::min(kTranche, r.size() - r0);
        bool trouve = proche(ecartBloc(x, r, decalage + long(r0), r0, n, gain), n, 0.1);
        // Only a block with some sound in it can show where the clip went; a quiet one
        // would match any quiet stretch nearby.
        double energie = 0;
        for (std::size_t i = 0; i < n; ++i)
            energie += r[r0 + i] * r[r0 + i];
        const bool sonore = energie > double(n) * 300.0 * 300.0;
        // Voiced speech looks much like itself one pitch period away, so a new alignment must
        // hold almost exactly over 15 ms (a server moves samples about, it does not alter them).
        const std::size_t n2 = std::min(3 * kTranche, r.size() - r0);
        if (sonore && !trouve) {
            long meilleur = 0;
            double meilleurEcart = -1;
            for (long d = -kDerive; d <= kDerive; ++d) {
                const auto e = ecartBloc(x, r, decalage + d + long(r0), r0, n2, gain);
                if (d != 0 && proche(e, n2, 0.005) && (meilleurEcart < 0 || e.first < meilleurEcart)) {
                    meilleur = d;
                    meilleurEcart = e.first;
                }
            }
            if (meilleurEcart >= 0) {
                decalage += meilleur;
                trouve = true;
            }
        }
        if (sonore) {
            if (trouve) {
                joue = r0 + n;
                manques = 0;
            } else if (++manques >= kManquesTolérés) {
                break;
            }
        } else if (trouve && manques == 0) {
            // A quiet block proves little either way: it extends the clip only while the
            // clip is being followed, and never counts against it.
            joue = r0 + n;
        }
    }
    return joue;
}
}  // namespace

ClipTrouve CherchePcm(const Pcm& capture, const Pcm& reference, std::size_t depuis) {
    const std::vector<double> x = mono(capture), r = mono(reference);
    std::vector<double> energie(x.size() + 1, 0.0);
    for (std::size_t i = 0; i < x.size(); ++i)
        energie[i + 1] = energie[i] + x[i] * x[i];
    ClipTrouve t;
    t.longueur = r.size();
    const std::vector<double> gabarit(r.begin(), r.begin() + long(std::min(r.size(), kGabarit)));
    t.debut = cherche(x, energie, gabarit, depuis);
    if (t.debut >= 0)
        t.joue = dureeJouee(x, r, std::size_t(t.debut));
    return t;
}

std::vector<ClipTrouve> AnalyseCapture(const Pcm& capture, const std::vector<int16_t>& ids) {
    std::vector<ClipTrouve> resultat;
    std::size_t depuis = 0;
    for (int16_t id : ids) {
        ClipTrouve t;
        if (auto pcm = DecodeWav(DonneesClip(id)))
            t = CherchePcm(capture, *pcm, depuis);
        t.id = id;
        if (t.debut >= 0)
            depuis = std::size_t(t.debut) + 1;
        resultat.push_back(t);
    }
    return resultat;
}
