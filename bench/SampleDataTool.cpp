// velliqa-sample-data FOLDER COUNT: writes data.txt with COUNT realistic records into FOLDER.
#include "SampleData.h"

#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string bytes = SampleFileBytes(SampleRecordLines(std::stoul(argv[2])));
    std::ofstream(std::string(argv[1]) + "/data.txt", std::ios::binary)
        .write(bytes.data(), static_cast<long>(bytes.size()));
    return 0;
}
