#pragma once
// The keyboard scan codes the game reads.

constexpr int kKeyEnter = 28;
constexpr int kKeyUp = 200, kKeyDown = 208, kKeyLeft = 203, kKeyRight = 205;
