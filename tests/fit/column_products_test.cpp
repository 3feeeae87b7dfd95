#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "fit/column_products.h"

using namespace trazel::fit;

namespace {

struct Shape {
    std::size_t columns;
    std::size_t points;
};

// Every pair's product is ColumnDot's to the bit: at the tiles' edges (a
// number of columns not a multiple of three or four), past a chunk of
// points, with points left over beyond the last four, and with the sums of
// a larger call before it still in lanes. Values spread over sixteen orders
// of magnitude with both signs, so that any other order of the additions
// would round differently.
TEST(ColumnProductsTest, AreColumnDotsBitForBit) {
    const Shape shapes[] = {{1, 1},   {2, 3},    {3, 4},     {4, 7},    {5, 255},
                            {7, 257}, {13, 600}, {14, 2048}, {2, 1030}, {6, 2}};
    std::mt19937_64 generator(5);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-8, 8);
    std::vector<double> lanes;
    for (const Shape& shape : shapes) {
        std::vector<std::vector<double>> values(shape.columns);
        std::vector<const double*> columns;
        for (auto& column : values) {
            for (std::size_t i = 0; i < shape.points; ++i) {
                column.push_back(mantissa(generator) * std::pow(10.0, exponent(generator)));
            }
            columns.push_back(column.data());
        }
        std::vector<double> products(shape.columns * shape.columns, 0.0);
        ColumnProducts(columns, shape.points, products, lanes);
        for (std::size_t a = 0; a < shape.columns; ++a) {
            for (std::size_t b = a; b < shape.columns; ++b) {
                EXPECT_EQ(products[a * shape.columns + b],
                          ColumnDot(columns[a], columns[b], shape.points))
                    << shape.columns << " columns of " << shape.points << " points, pair " << a
                    << ", " << b;
            }
        }
    }
}

}  // namespace
