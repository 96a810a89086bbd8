#pragma once

// The player runs its clip on the computer's clock rather than on the sound
// card's. Left to itself, a sound output then keeps correcting its samples
// towards the computer's clock, and after a seek or a pause it works that
// correction out from readings taken before the jump: every later sample
// lands outside what the card plays, and the lesson goes on with picture and
// no sound. From this call on, each sound output made in this process plays
// at its own card's pace instead, lined up with the clip again at every start,
// seek and pause. Call it before the player is made; later calls do nothing
// more. Returns whether it is in place, so that a member can be set by it.
bool keepSoundOutputsAtTheirOwnPace();
