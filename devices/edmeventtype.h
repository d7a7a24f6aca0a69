#pragma once

// The event the distance meter is calibrated for; it chooses the geometry.
enum EDMEventType : unsigned {
    NoEventType = 0,
    DiscusThrow = 1,      // reference 1: centre of the circle
    PoleVault = 2,        // reference 1: the crossbar at a known height
    LongOrTripleJump = 3, // two points on each take-off board's take-off line
    JavelinThrow = 4,     // reference 1: the centre the throw is measured from
    ShotPut = 5,          // reference 1: centre of the circle
    HammerThrow = 6,      // reference 1: centre of the circle
};
