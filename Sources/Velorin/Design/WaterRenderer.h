#pragma once
// The water's GPU state and passes, for whoever holds a current OpenGL 3.3
// context: the two programs (simulation step, drawing), the two half-float
// height textures used in turn with a framebuffer each, the one 512-byte
// uniform buffer, the samplers. Nothing is allocated per frame. Every call
// needs the context it was built in to be current.

#include "Velorin/Design/WaterUniforms.h"

#include <QOpenGLExtraFunctions>
#include <QSize>
#include <QSurfaceFormat>

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QOpenGLShaderProgram;

namespace velorin {

class WaterRenderer {
public:
    // The line logged, with the compiler's words after it, when the program fails.
    static constexpr const char* compileFailedMessage = "Velorin water shaders failed to compile: ";

    // Whether a context made as `made` gives at least the version `asked` for
    // (drivers may hand out another version than the one asked for).
    static bool suits(const QSurfaceFormat& made, const QSurfaceFormat& asked);

    WaterRenderer();
    ~WaterRenderer();  // GPU objects are freed by `release`, in their context
    WaterRenderer(const WaterRenderer&) = delete;
    WaterRenderer& operator=(const WaterRenderer&) = delete;

    // The program's source texts: the water's own unless a test swaps one.
    struct Sources {
        std::string vertex;
        std::string step;
        std::string draw;
        static Sources water();
    };

    // Compiles and links both programs and makes the buffer, samplers and
    // vertex array. On a compile or link failure logs the message (once per
    // run) and stays unbuilt: every pass then does nothing.
    bool build(const Sources& sources = Sources::water());
    bool isBuilt() const { return built_; }
    // The compiler's words from the failed build; empty when it built.
    const std::string& error() const { return error_; }

    // Two textures of `grid` cells, made (flat) when the size changed. False
    // when they could not be made; the next call tries again.
    bool ensureState(const QSize& grid);
    QSize grid() const { return grid_; }

    // Copies the record into the uniform buffer; the passes that follow read it.
    void setUniforms(const WaterUniforms& uniforms);
    // `count` simulation steps, each reading the latest field and writing the other texture.
    void step(int count);
    // Shades the latest field into framebuffer `target` of `pixels`, cleared first.
    void draw(unsigned target, const QSize& pixels);

    // Frees every GPU object (the context must be current); the renderer is unbuilt after.
    void release();

    // The height field, one (now, before) pair per cell, row by row from the
    // design's top row (the texture's last row). For tests and inspection.
    using Cell = std::array<float, 2>;
    std::vector<Cell> readField();
    void writeField(const std::vector<Cell>& cells);

    // The programs' handles (for layout queries).
    unsigned stepProgram() const;
    unsigned drawProgram() const;
    int current() const { return current_; }

private:
    void freeState();

    QOpenGLExtraFunctions gl_;
    std::unique_ptr<QOpenGLShaderProgram> stepProgram_;
    std::unique_ptr<QOpenGLShaderProgram> drawProgram_;
    unsigned uniformBuffer_ = 0;
    unsigned vertexArray_ = 0;
    unsigned nearest_ = 0;  // the step's sampler: exact on the grid
    unsigned linear_ = 0;   // the drawing's: smooth over many pixels
    std::array<unsigned, 2> textures_{};
    std::array<unsigned, 2> framebuffers_{};
    QSize grid_;
    int current_ = 0;
    bool built_ = false;
    std::string error_;
};

}  // namespace velorin
