// Limits and buffer sizes of the markup engine, in one place.
#pragma once

#include <windows.h>

// Parser: the value buffer starts with this many characters and doubles.
constexpr int kMarkupValueInitialCapacity = 1024;
// Parser: tag and attribute names keep at most this many characters.
constexpr int kMarkupNameMaxLength = 127;
// Parser: an entity name is read up to this many characters.
constexpr int kMarkupEntityMaxLength = 31;
// Parser: comment, CDATA and instruction bodies arrive in pieces of at most this many characters.
constexpr int kMarkupBodyPieceLength = 1023;
// Parser: an error message keeps at most this many characters.
constexpr int kMarkupParserMessageMaxLength = 1024;

// Builder: an error message keeps at most this many bytes.
constexpr int kMarkupBuilderMessageMaxLength = 255;
// Builder: elements and property elements open at one time. Deeper markup
// fails the build, so that releasing, styling and laying out a tree never
// recurse without bound.
constexpr int kMarkupMaxNestingDepth = 256;
// Builder: markup extensions inside the key of a resource reference.
constexpr int kMarkupMaxExtensionDepth = 16;

// Styles: trigger evaluations that one property change may start inside another.
constexpr int kMarkupMaxTriggerDepth = 32;

// Layout: the size that stands for "unbounded" and for an "Auto" length.
constexpr int kMarkupUnbounded = 2147483647;
// Layout: an element placed in the flow of text is measured in this many pixels a side.
constexpr int kMarkupInlineElementSpace = 32000;
// Layout: available sizes from this many pixels on count as unbounded (grid stars size like Auto).
constexpr int kMarkupUnboundedThreshold = 32001;

// Drawing: the widest pen a stroke is drawn with. The platform widens a pen
// into a region row by row, so an unbounded thickness could take minutes.
constexpr int kMarkupMaxStrokeThickness = 4096;

// Text: a face name keeps at most this many characters (the font description's limit).
constexpr int kMarkupFaceNameMaxLength = LF_FACESIZE - 1;

// Colours: the system colour indexes the builder resolves (0 to 30).
constexpr int kMarkupSystemColorCount = 31;
