#pragma once
// Drawing-tool ids and the figure classes they make.  Each figure kind
// registers its tools from its own file, so this layer knows no figure kind
// above it.
#include "figures/figure.h"

#include <initializer_list>
#include <memory>
#include <new>

struct QvFigureTool {
    int toolId = 0;
    // The run-time class name of what the tool makes; null, with no maker,
    // for a tool whose figure is still to come.
    const char* className = nullptr;
    std::unique_ptr<QvFigure> (*make)() = nullptr;
    // What the tool sets up on a new figure, such as default arrowheads; it
    // may change the tool id the figure keeps.
    void (*prepare)(QvFigure* figure, int& toolId) = nullptr;
};

// Null when the figure cannot be allocated, as for an unknown tool.
template <class T> std::unique_ptr<QvFigure> QvMakeFigure() {
    return std::unique_ptr<QvFigure>(new (std::nothrow) T);
}

// Called from static initialisers.  A tool id already registered keeps its
// first registration and makes this return false.
bool QvRegisterFigureTools(std::initializer_list<QvFigureTool> tools);

// The tool ids the factory knows, in ascending order.  Ids whose figure
// class is not built yet are known but still give null.
int QvFactoryToolIdCount();
int QvFactoryToolIdAt(int index);
// The class name the tool was registered with, or null.
const char* QvFactoryClassName(int toolId);
