// Large, valid UMLet class diagrams for measuring a whole conversion.
#pragma once

#include <cstdint>
#include <string>

// A diagram of classCount classes (each with attributes and operations) and as
// many relations: a long association chain, inheritance chains, realisations of
// interfaces, stars around hub classes, three-class cycles, aggregations and
// random associations. Every relation end lies on a class border, so every
// relation connects. The same count always gives the same text. With distinctLines,
// every member line of the diagram differs from every other (each name carries its
// class's number), so that no line can share its member with another.
std::string GenerateDiagram(int32_t classCount, bool distinctLines = false);

// A diagram of one class whose panel holds memberCount attribute lines "a": the
// largest text one class can make.
std::string GenerateManyMembers(int64_t memberCount);
