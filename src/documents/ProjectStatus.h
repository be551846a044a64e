#pragma once

// What the document windows need to know of the open project.
class ProjectStatus {
public:
    // While a project is open a document window's close box only hides it.
    virtual bool projectOpen() const = 0;
    // While a project loads its document windows are created hidden.
    virtual bool projectLoading() const = 0;

protected:
    ~ProjectStatus() = default;
};
