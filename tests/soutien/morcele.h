// A stream buffer that hands out its text a few characters at a time, as a
// file's buffer does at each refill, so that a field can straddle refills;
// and, given `panne`, throws at the refill that would pass it, as
// libstdc++'s file buffer does on a read error.
#ifndef TESTS_MORCELE_H
#define TESTS_MORCELE_H

#include <algorithm>
#include <stdexcept>
#include <streambuf>
#include <string>

class TamponMorcele : public std::streambuf {
  public:
    TamponMorcele(std::string texte, std::size_t taille, std::size_t panne = std::string::npos)
        : texte_(std::move(texte)), taille_(taille), panne_(panne)
    {
    }

    // What has not been read yet.
    std::string reste() const
    {
        return texte_.substr(position_ - static_cast<std::size_t>(egptr() - gptr()));
    }

  protected:
    int_type underflow() override
    {
        if (gptr() < egptr())
            return traits_type::to_int_type(*gptr());
        const std::size_t n = std::min(taille_, texte_.size() - position_);
        if (position_ + n > panne_)
            throw std::runtime_error("read error");
        if (n == 0)
            return traits_type::eof();
        char* const debut = texte_.data() + position_;
        setg(debut, debut, debut + n);
        position_ += n;
        return traits_type::to_int_type(*debut);
    }

  private:
    std::string texte_;
    std::size_t taille_;
    std::size_t panne_;
    std::size_t position_ = 0;
};

#endif
