// The random generator: ISAAC with 256-word tables. Every draw runs one full generation round and
// hands out the round's first result.
#include "engine/core/random.h"

namespace {

struct RandomState {
  uint32_t rand_count = 0;
  uint32_t rand_results[256] = {};
  uint32_t rand_mem[256] = {};
  uint32_t rand_a = 0, rand_b = 0, rand_c = 0;
};

RandomState g_rnd;

struct Mix {
  uint32_t a, b, c, d, e, f, g, h;

  void step() {
    a ^= b << 11;
    d += a;
    b += c;
    b ^= c >> 2;
    e += b;
    c += d;
    c ^= d << 8;
    f += c;
    d += e;
    d ^= e >> 16;
    g += d;
    e += f;
    e ^= f << 10;
    h += e;
    f += g;
    f ^= g >> 4;
    a += f;
    g += h;
    g ^= h << 8;
    b += g;
    h += a;
    h ^= a >> 9;
    c += h;
    a += b;
  }
  void add(const uint32_t* w) {
    a += w[0];
    b += w[1];
    c += w[2];
    d += w[3];
    e += w[4];
    f += w[5];
    g += w[6];
    h += w[7];
  }
  void store(uint32_t* w) const {
    w[0] = a;
    w[1] = b;
    w[2] = c;
    w[3] = d;
    w[4] = e;
    w[5] = f;
    w[6] = g;
    w[7] = h;
  }
};

void generation_round() {
  RandomState& r = g_rnd;
  r.rand_c += 1;
  r.rand_b += r.rand_c;
  for (int i = 0; i < 256; ++i) {
    uint32_t x = r.rand_mem[i];
    switch (i & 3) {
      case 0: r.rand_a ^= r.rand_a << 13; break;
      case 1: r.rand_a ^= r.rand_a >> 6; break;
      case 2: r.rand_a ^= r.rand_a << 2; break;
      default: r.rand_a ^= r.rand_a >> 16; break;
    }
    r.rand_a += r.rand_mem[(i + 128) & 255];
    uint32_t y = r.rand_mem[(x >> 2) & 255] + r.rand_a + r.rand_b;
    r.rand_mem[i] = y;
    r.rand_b = x + r.rand_mem[(y >> 10) & 255];
    r.rand_results[i] = r.rand_b;
  }
}

}  // namespace

void rnd_seed(uint32_t seed) {
  g_rnd = RandomState{};
  const uint32_t golden = 0x9e3779b9u;
  Mix m{golden, golden, golden, golden, golden, golden, golden, golden};
  for (int i = 0; i < 256; i += 8) {
    m.a += seed;
    m.step();
    m.store(&g_rnd.rand_mem[i]);
  }
  for (int i = 0; i < 256; i += 8) {
    m.add(&g_rnd.rand_results[i]);
    m.step();
    m.store(&g_rnd.rand_mem[i]);
  }
  for (int i = 0; i < 256; i += 8) {
    m.add(&g_rnd.rand_mem[i]);
    m.step();
    m.store(&g_rnd.rand_mem[i]);
  }
  generation_round();
  g_rnd.rand_count = 256;
}

uint32_t rnd_next() {
  generation_round();
  return g_rnd.rand_results[0];
}

int rnd_int(int n) {
  if (n < 1) return 0;
  return static_cast<int>(rnd_next() % (static_cast<uint32_t>(n) + 1u));
}
