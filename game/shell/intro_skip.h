// Skipping the intro's animations: the welcome screen's fade-out after its play button and the two
// blocks taken off as a game starts. A click or Enter pressed while one runs finishes that animation at
// once (its final state, its sound stopped); the next one still starts. A button or key already held
// when an animation starts (the one that took play, say) does not count until it is pressed again.
#pragma once

// Starts watching for a new press: what is held now is ignored until released.
void intro_skip_arm();
// Whether a click or Enter has been newly pressed since intro_skip_arm; reads the mouse and the
// controls, so it is called once after each frame or wait step.
bool intro_skip_asked();
