#pragma once

#include "site/FetchPageOf.h"

#include <QString>

// A torrent's details page as the details screen shows it: the cleaned text and the film
// database link found in it.
struct DetailsPage
{
    QString result; // null: nothing obtained
    QString imdb;   // null: no link
};

// Runs the details cleaner (HttpRequestRegExDetails) on a queue thread and delivers the page.
class FetchPageDetails : public FetchPageOf<DetailsPage>
{
public:
    using FetchPageOf::FetchPageOf;

    void main() override;
};
