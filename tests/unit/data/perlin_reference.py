#!/usr/bin/env python3
# Independent reference: MT19937 from its published definition, the reseed shuffle and
# improved Perlin noise, written from the algorithm text only.
import math

class MT:
    def __init__(self, seed):
        self.mt = [0]*624
        self.mt[0] = seed & 0xffffffff
        for i in range(1, 624):
            prev = self.mt[i-1]
            self.mt[i] = (1812433253 * (prev ^ (prev >> 30)) + i) & 0xffffffff
        self.idx = 624
    def twist(self):
        for i in range(624):
            y = (self.mt[i] & 0x80000000) | (self.mt[(i+1) % 624] & 0x7fffffff)
            v = self.mt[(i+397) % 624] ^ (y >> 1)
            if y & 1:
                v ^= 0x9908b0df
            self.mt[i] = v
        self.idx = 0
    def next(self):
        if self.idx >= 624:
            self.twist()
        y = self.mt[self.idx]; self.idx += 1
        y ^= (y >> 11)
        y ^= (y << 7) & 0x9d2c5680
        y ^= (y << 15) & 0xefc60000
        y ^= (y >> 18)
        return y & 0xffffffff

# sanity: the 10000th output of default-seeded mt19937 is 4123659995 (C++ standard)
m = MT(5489)
for _ in range(9999): m.next()
assert m.next() == 4123659995

def reseed(seed):
    p = list(range(256))
    g = MT(seed)
    for i in range(1, 256):
        r = g.next()
        j = r % (i+1)
        p[i], p[j] = p[j], p[i]
    return p

def fade(t): return ((t*6 - 15)*t + 10)*t*t*t
def lerp(t, a, b): return (b - a)*t + a
def grad(h, x, y, z):
    h &= 15
    first = x if h < 8 else y
    second = y if h < 4 else (x if h in (12, 14) else z)
    return (-first if h & 1 else first) + (-second if h & 2 else second)

def sample(p, x, y, z):
    fx0, fy0, fz0 = math.floor(x), math.floor(y), math.floor(z)
    X, Y, Z = int(fx0) & 255, int(fy0) & 255, int(fz0) & 255
    fx, fy, fz = x - fx0, y - fy0, z - fz0
    u, v, w = fade(fx), fade(fy), fade(fz)
    A = (p[X] + Y) & 255; AA = (p[A] + Z) & 255; AB = (p[(A+1) & 255] + Z) & 255
    B = (p[(X+1) & 255] + Y) & 255; BA = (p[B] + Z) & 255; BB = (p[(B+1) & 255] + Z) & 255
    g1 = grad(p[AA], fx, fy, fz); g2 = grad(p[BA], fx-1, fy, fz)
    g3 = grad(p[AB], fx, fy-1, fz); g4 = grad(p[BB], fx-1, fy-1, fz)
    g5 = grad(p[(AA+1) & 255], fx, fy, fz-1); g6 = grad(p[(BA+1) & 255], fx-1, fy, fz-1)
    g7 = grad(p[(AB+1) & 255], fx, fy-1, fz-1); g8 = grad(p[(BB+1) & 255], fx-1, fy-1, fz-1)
    return lerp(w, lerp(v, lerp(u, g1, g2), lerp(u, g3, g4)), lerp(v, lerp(u, g5, g6), lerp(u, g7, g8)))

NY, NZ = 0.12345, 0.34567
for seed in (0, 1, 12345, 1700000000, 4294967295):
    p = reseed(seed)
    assert sorted(p) == list(range(256))
    print("seed", seed, "first16", p[:16], "last4", p[-4:])
    for x in (0.0, 0.5, 1.25, -3.7, 1234.5678, -9999.996, 255.9, 256.1):
        print("  x=%r  %.17g" % (x, sample(p, x, NY, NZ)))
    print("  (0.3,0.6,0.9) %.17g" % sample(p, 0.3, 0.6, 0.9))
    print("  (-1.5,-2.25,7.75) %.17g" % sample(p, -1.5, -2.25, 7.75))
