#include "Velorin/Design/WaterRenderer.h"

#include "Velorin/Design/WaterShaders.h"

#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QtDebug>

#include <atomic>
#include <utility>

namespace velorin {
namespace {

constexpr unsigned uniformBinding = 0;

// Compiles and links one program; the compiler's words when it fails.
std::optional<std::string> makeProgram(QOpenGLShaderProgram& program, const std::string& vertex,
                                       const std::string& fragment) {
    if (!program.addShaderFromSourceCode(QOpenGLShader::Vertex, QByteArray::fromStdString(vertex)) ||
        !program.addShaderFromSourceCode(QOpenGLShader::Fragment, QByteArray::fromStdString(fragment)) ||
        !program.link()) {
        const std::string log = program.log().trimmed().toStdString();
        return log.empty() ? std::string("the program could not be made") : log;
    }
    return std::nullopt;
}

}  // namespace

WaterRenderer::Sources WaterRenderer::Sources::water() {
    return {water_shaders::vertex(), water_shaders::step(), water_shaders::draw()};
}

bool WaterRenderer::suits(const QSurfaceFormat& made, const QSurfaceFormat& asked) {
    return std::pair(made.majorVersion(), made.minorVersion()) >= std::pair(asked.majorVersion(), asked.minorVersion());
}

WaterRenderer::WaterRenderer() = default;
WaterRenderer::~WaterRenderer() = default;

bool WaterRenderer::build(const Sources& sources) {
    if (built_) return true;
    if (!QOpenGLContext::currentContext()) return false;
    // The functions belong to the context: a view moved to another window builds again in a new one.
    gl_.initializeOpenGLFunctions();
    stepProgram_ = std::make_unique<QOpenGLShaderProgram>();
    drawProgram_ = std::make_unique<QOpenGLShaderProgram>();
    auto failure = makeProgram(*stepProgram_, sources.vertex, sources.step);
    if (!failure) failure = makeProgram(*drawProgram_, sources.vertex, sources.draw);
    if (failure) {
        error_ = *failure;
        // Once per run: a window made again must not repeat it.
        static std::atomic<bool> logged{false};
        if (!logged.exchange(true)) qWarning().noquote() << compileFailedMessage << QString::fromStdString(error_);
        stepProgram_.reset();
        drawProgram_.reset();
        return false;
    }
    error_.clear();
    for (QOpenGLShaderProgram* program : {stepProgram_.get(), drawProgram_.get()}) {
        const unsigned id = program->programId();
        const unsigned block = gl_.glGetUniformBlockIndex(id, "Uniforms");
        if (block != GL_INVALID_INDEX) gl_.glUniformBlockBinding(id, block, uniformBinding);
        program->bind();
        program->setUniformValue("heights", 0);
    }
    gl_.glUseProgram(0);

    gl_.glGenBuffers(1, &uniformBuffer_);
    gl_.glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffer_);
    gl_.glBufferData(GL_UNIFORM_BUFFER, sizeof(WaterUniforms), nullptr, GL_DYNAMIC_DRAW);
    gl_.glBindBuffer(GL_UNIFORM_BUFFER, 0);
    gl_.glGenVertexArrays(1, &vertexArray_);
    gl_.glGenSamplers(1, &nearest_);
    gl_.glGenSamplers(1, &linear_);
    const std::array<std::pair<unsigned, GLint>, 2> samplers{{{nearest_, GL_NEAREST}, {linear_, GL_LINEAR}}};
    for (const auto& [sampler, filter] : samplers) {
        gl_.glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
        gl_.glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
        gl_.glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl_.glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    built_ = true;
    return true;
}

bool WaterRenderer::ensureState(const QSize& grid) {
    if (!built_) return false;
    if (textures_[0] != 0 && grid == grid_) return true;
    freeState();
    while (gl_.glGetError() != GL_NO_ERROR) {
    }
    gl_.glGenTextures(2, textures_.data());
    gl_.glGenFramebuffers(2, framebuffers_.data());
    GLint previous = 0;
    gl_.glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    bool made = true;
    for (std::size_t i = 0; i < 2 && made; ++i) {
        gl_.glBindTexture(GL_TEXTURE_2D, textures_[i]);
        gl_.glTexImage2D(GL_TEXTURE_2D, 0, GL_RG16F, grid.width(), grid.height(), 0, GL_RG, GL_FLOAT, nullptr);
        gl_.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[i]);
        gl_.glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, textures_[i], 0);
        made =
            gl_.glGetError() == GL_NO_ERROR && gl_.glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
        // A new size starts from a flat surface.
        const std::array<float, 4> flat{0, 0, 0, 0};
        if (made) gl_.glClearBufferfv(GL_COLOR, 0, flat.data());
    }
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, GLuint(previous));
    if (!made) {
        freeState();
        return false;
    }
    grid_ = grid;
    return true;
}

void WaterRenderer::setUniforms(const WaterUniforms& uniforms) {
    if (!built_) return;
    const auto bytes = uniforms.bytes();
    gl_.glBindBuffer(GL_UNIFORM_BUFFER, uniformBuffer_);
    gl_.glBufferSubData(GL_UNIFORM_BUFFER, 0, GLsizeiptr(bytes.size()), bytes.data());
    gl_.glBindBuffer(GL_UNIFORM_BUFFER, 0);
}

void WaterRenderer::step(int count) {
    if (!built_ || textures_[0] == 0 || count <= 0) return;
    GLint previous = 0;
    gl_.glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    gl_.glDisable(GL_BLEND);
    gl_.glDisable(GL_DEPTH_TEST);
    gl_.glDisable(GL_SCISSOR_TEST);
    gl_.glViewport(0, 0, grid_.width(), grid_.height());
    stepProgram_->bind();
    gl_.glBindBufferBase(GL_UNIFORM_BUFFER, uniformBinding, uniformBuffer_);
    gl_.glBindVertexArray(vertexArray_);
    gl_.glActiveTexture(GL_TEXTURE0);
    gl_.glBindSampler(0, nearest_);
    for (int i = 0; i < count; ++i) {
        const std::size_t from = std::size_t(current_);
        const std::size_t to = 1 - from;
        gl_.glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[to]);
        gl_.glBindTexture(GL_TEXTURE_2D, textures_[from]);
        gl_.glDrawArrays(GL_TRIANGLES, 0, 3);
        current_ = int(to);
    }
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glBindSampler(0, 0);
    gl_.glBindVertexArray(0);
    gl_.glUseProgram(0);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, GLuint(previous));
}

void WaterRenderer::draw(unsigned target, const QSize& pixels) {
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, target);
    gl_.glViewport(0, 0, pixels.width(), pixels.height());
    gl_.glDisable(GL_SCISSOR_TEST);
    const std::array<float, 4> clear{0, 0, 0, 0};
    gl_.glClearBufferfv(GL_COLOR, 0, clear.data());
    if (!built_ || textures_[0] == 0) return;
    gl_.glDisable(GL_BLEND);
    gl_.glDisable(GL_DEPTH_TEST);
    drawProgram_->bind();
    gl_.glBindBufferBase(GL_UNIFORM_BUFFER, uniformBinding, uniformBuffer_);
    gl_.glBindVertexArray(vertexArray_);
    gl_.glActiveTexture(GL_TEXTURE0);
    gl_.glBindSampler(0, linear_);
    gl_.glBindTexture(GL_TEXTURE_2D, textures_[std::size_t(current_)]);
    gl_.glDrawArrays(GL_TRIANGLES, 0, 3);
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
    gl_.glBindSampler(0, 0);
    gl_.glBindVertexArray(0);
    gl_.glUseProgram(0);
}

std::vector<WaterRenderer::Cell> WaterRenderer::readField() {
    if (!built_ || textures_[0] == 0) return {};
    const int w = grid_.width();
    const int h = grid_.height();
    std::vector<Cell> rows(std::size_t(w) * std::size_t(h));
    GLint previous = 0;
    gl_.glGetIntegerv(GL_FRAMEBUFFER_BINDING, &previous);
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, framebuffers_[std::size_t(current_)]);
    gl_.glPixelStorei(GL_PACK_ALIGNMENT, 4);
    std::vector<Cell> bottomUp(rows.size());
    gl_.glReadPixels(0, 0, w, h, GL_RG, GL_FLOAT, bottomUp.data());
    gl_.glBindFramebuffer(GL_FRAMEBUFFER, GLuint(previous));
    for (int y = 0; y < h; ++y) {
        std::copy_n(bottomUp.begin() + std::ptrdiff_t(h - 1 - y) * w, w, rows.begin() + std::ptrdiff_t(y) * w);
    }
    return rows;
}

void WaterRenderer::writeField(const std::vector<Cell>& cells) {
    const int w = grid_.width();
    const int h = grid_.height();
    if (!built_ || textures_[0] == 0 || cells.size() != std::size_t(w) * std::size_t(h)) return;
    std::vector<Cell> bottomUp(cells.size());
    for (int y = 0; y < h; ++y) {
        std::copy_n(cells.begin() + std::ptrdiff_t(y) * w, w, bottomUp.begin() + std::ptrdiff_t(h - 1 - y) * w);
    }
    gl_.glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    gl_.glBindTexture(GL_TEXTURE_2D, textures_[std::size_t(current_)]);
    gl_.glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, GL_RG, GL_FLOAT, bottomUp.data());
    gl_.glBindTexture(GL_TEXTURE_2D, 0);
}

unsigned WaterRenderer::stepProgram() const { return stepProgram_ ? stepProgram_->programId() : 0; }
unsigned WaterRenderer::drawProgram() const { return drawProgram_ ? drawProgram_->programId() : 0; }

void WaterRenderer::freeState() {
    if (textures_[0] != 0 || textures_[1] != 0) gl_.glDeleteTextures(2, textures_.data());
    if (framebuffers_[0] != 0 || framebuffers_[1] != 0) gl_.glDeleteFramebuffers(2, framebuffers_.data());
    textures_ = {};
    framebuffers_ = {};
    grid_ = QSize();
}

void WaterRenderer::release() {
    if (!built_) return;
    freeState();
    gl_.glDeleteBuffers(1, &uniformBuffer_);
    gl_.glDeleteVertexArrays(1, &vertexArray_);
    gl_.glDeleteSamplers(1, &nearest_);
    gl_.glDeleteSamplers(1, &linear_);
    uniformBuffer_ = vertexArray_ = nearest_ = linear_ = 0;
    stepProgram_.reset();
    drawProgram_.reset();
    built_ = false;
}

}  // namespace velorin
